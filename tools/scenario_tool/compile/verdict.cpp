#include "scenario_tool/compile/verdict.h"

#include <algorithm>

#include "scenario_tool/compile/error_search.h"

namespace scenario::tool {

std::optional<std::string> reading_stopped(const CompileListener& heard,
                                           const std::vector<Diagnostic>& diagnostics,
                                           const SourceCheck& check, const std::string& line_source,
                                           const std::string& train_source) {
  std::optional<Diagnostic> stop = stopping_error(heard, diagnostics);
  if (!stop) return std::nullopt;
  // Where the reader was; but a line source without its header was never read past the slip
  // for it, where the error stands.
  if (stop->code != Code::no_general) {
    stop = *std::find_if(heard.heard().begin(), heard.heard().end(),
                         [](const Diagnostic& d) { return d.code != Code::none; });
  }
  if (stop->line == 0 || stop->source == SourceKind::none) return std::nullopt;
  // The line source is read first, then the train source.
  const auto lost =
      std::count_if(check.records.begin(), check.records.end(), [&](const CheckedRecord& r) {
        const bool after =
            r.source != stop->source ? r.source == SourceKind::train : r.line > stop->line;
        return after && !heard.read(r.source, r.line);
      });
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
