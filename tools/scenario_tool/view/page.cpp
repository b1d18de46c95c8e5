#include "scenario_tool/view/page.h"

#include <algorithm>
#include <vector>

#include "scenario_tool/plot/svg.h"
#include "scenario_tool/view/page_assets.h"
#include "scenario_tool/view/page_tables.h"

namespace scenario::tool {

namespace {

struct Mark {
  std::size_t at;
  std::string_view name;
};

// The hook's data and script, just before the end of the body, where they change nothing of the
// page they are added to.
void add_reload_hook(std::string& page, const ReloadHook& hook) {
  const Json data{{"file", hook.stamp_file}, {"stamp", hook.stamp}};
  const std::string scripts = "<script type=\"application/json\" id=\"reload-hook\">" +
                              script_safe_json(data) + "</script>\n<script>" +
                              std::string(view_asset_reload) + "</script>\n";
  const auto end = page.rfind("</body>");
  page.insert(end == std::string::npos ? page.size() : end, scripts);
}

}  // namespace

std::string script_safe_json(const Json& data) {
  // Names come from the files and may hold bytes that are no UTF-8.
  const std::string text = data.dump(-1, ' ', false, Json::error_handler_t::replace);
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '<') {
      out += "\\u003c";
    } else {
      out += c;
    }
  }
  return out;
}

std::string view_page(const Json& data, const std::optional<ReloadHook>& reload) {
  const std::string title = xml_escape(data.value("title", std::string("Scenario")));
  const std::string json = script_safe_json(data);
  const std::string tables = static_tables(data);
  std::string page(view_asset_html);
  // The marks are found in the template alone and filled from the last, so that no text put in
  // (a route name holding "{{data}}") is ever taken for a mark.
  std::vector<Mark> marks;
  for (std::string_view name : {"title", "style", "tables", "data", "script"}) {
    const auto at = page.find("{{" + std::string(name) + "}}");
    if (at != std::string::npos) marks.push_back({at, name});
  }
  std::sort(marks.begin(), marks.end(), [](const Mark& a, const Mark& b) { return a.at > b.at; });
  for (const Mark& m : marks) {
    std::string_view text = m.name == "title"    ? std::string_view(title)
                            : m.name == "style"  ? view_asset_css
                            : m.name == "tables" ? std::string_view(tables)
                            : m.name == "data"   ? std::string_view(json)
                                                 : view_asset_js;
    page.replace(m.at, m.name.size() + 4, text);
  }
  if (reload) add_reload_hook(page, *reload);
  return page;
}

}  // namespace scenario::tool
