#include "scenario_tool/compile/verdict.h"

#include <algorithm>

namespace scenario::tool {

std::optional<std::string> reading_stopped(const CompileListener& heard, const SourceCheck& check,
                                           const std::string& line_source,
                                           const std::string& train_source) {
  const auto& all = heard.heard();
  const auto stop = std::find_if(all.begin(), all.end(), [](const Diagnostic& d) {
    return d.code != Code::none && d.line > 0 && d.source != SourceKind::none;
  });
  if (stop == all.end()) return std::nullopt;
  // The line source is read first, then the train source.
  const auto after = [&](const CheckedRecord& r) {
    if (r.source != stop->source) return r.source == SourceKind::train;
    return r.line > stop->line;
  };
  const auto lost = std::count_if(check.records.begin(), check.records.end(), after);
  const std::string place = (stop->source == SourceKind::line ? line_source : train_source) + ":" +
                            std::to_string(stop->line);
  if (lost == 0) return "reading stopped at " + place + "; no record after it";
  return "reading stopped at " + place + "; " + std::to_string(lost) +
         (lost == 1 ? " record after it was" : " records after it were") + " not compiled";
}

std::string verdict_line(int errors, int warnings, bool written, const RecordedCode& code) {
  std::string text =
      std::to_string(errors) + " error(s), " + std::to_string(warnings) + " warning(s)";
  if (errors == 0 && code.code == Code::none) return text;
  text += written ? "; written as the generator writes them" : "; nothing written";
  if (code.code == Code::none) return text;
  text += " (error " + to_string(code.code);
  if (code.has_pos) text += " at " + std::to_string(code.pos) + " m";
  return text + ")";
}

}  // namespace scenario::tool
