#include "scenario_tool/lsp/code_actions.h"

namespace scenario::tool::lsp {

std::optional<std::string> suggested_keyword(const std::string& message) {
  constexpr std::string_view mark = "(did you mean \"";
  const auto at = message.find(mark);
  if (at == std::string::npos) return std::nullopt;
  const auto start = at + mark.size();
  const auto end = message.find("\"?)", start);
  if (end == std::string::npos || end == start) return std::nullopt;
  return message.substr(start, end - start);
}

Json quick_fixes(const std::string& uri, const Json& context_diagnostics) {
  Json actions = Json::array();
  if (!context_diagnostics.is_array()) return actions;
  for (const Json& d : context_diagnostics) {
    if (!d.is_object() || !d.contains("range") || !d.value("message", Json()).is_string()) continue;
    const auto keyword = suggested_keyword(d["message"].get<std::string>());
    if (!keyword) continue;
    Json edit{{"range", d["range"]}, {"newText", *keyword}};
    actions.push_back(Json{{"title", "Replace with \"" + *keyword + "\""},
                           {"kind", "quickfix"},
                           {"diagnostics", Json::array({d})},
                           {"isPreferred", true},
                           {"edit", {{"changes", {{uri, Json::array({edit})}}}}}});
  }
  return actions;
}

}  // namespace scenario::tool::lsp
