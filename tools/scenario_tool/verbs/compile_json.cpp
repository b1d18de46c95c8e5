#include "scenario_tool/verbs/compile_json.h"

#include <nlohmann/json.hpp>

#include "compiler/codes.h"

namespace scenario::tool {

namespace {

using Json = nlohmann::ordered_json;

// The diagnostic object check's findings share: "check" is what `scenario_tool explain` takes
// (a code, or a warning's id); "line" is the source line, where there is one.
Json diagnostic_json(const Diagnostic& d, const CompileOptions& o) {
  Json file = nullptr;
  if (d.source == SourceKind::line) file = o.line_source;
  if (d.source == SourceKind::train) file = o.train_source;
  Json position = nullptr;
  if (d.pos) position = *d.pos;
  Json line = nullptr;
  if (d.line > 0 && d.source != SourceKind::none) line = d.line;
  const std::string message = diagnostic_message(d, o.line_source, o.train_source);
  const bool coded = d.is_error && d.code != Code::none;
  return Json{{"check", coded ? to_string(d.code) : d.id},
              {"severity", d.is_error ? "error" : "warning"},
              {"position_m", position},
              {"file", file},
              {"line", line},
              {"message", message}};
}

Json recorded_json(const RecordedCode& recorded) {
  if (recorded.code == Code::none) return nullptr;
  Json position = nullptr;
  if (recorded.has_pos) position = recorded.pos;
  return Json{{"code", number(recorded.code)}, {"position_m", position}};
}

}  // namespace

std::string compile_json(const CompileOptions& options, const std::vector<Diagnostic>& diagnostics,
                         const std::vector<WrittenFile>& written, const RecordedCode& recorded) {
  Json list = Json::array();
  int errors = 0;
  for (const Diagnostic& d : diagnostics) {
    list.push_back(diagnostic_json(d, options));
    errors += d.is_error ? 1 : 0;
  }
  Json files = Json::array();
  for (const WrittenFile& f : written) files.push_back(Json{{"path", f.path}, {"bytes", f.bytes}});
  const Json document{
      {"version", 1},
      {"sources", Json{{"line", options.line_source}, {"train", options.train_source}}},
      {"diagnostics", list},
      {"written", files},
      {"recorded", recorded_json(recorded)},
      {"summary",
       Json{{"errors", errors}, {"warnings", static_cast<int>(diagnostics.size()) - errors}}}};
  // A path given by the user may hold bytes that are not UTF-8; JSON must stay valid.
  return document.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
}

}  // namespace scenario::tool
