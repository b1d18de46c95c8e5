#include "scenario_tool/compile/diagnostics.h"

#include <algorithm>

#include "compiler/codes.h"
#include "scenario_tool/compile/keywords.h"

namespace scenario::tool {

void DiagnosticCollector::on_code(Code code, std::optional<std::int32_t> pos, SourceKind source,
                                  int line) {
  diagnostics_.push_back(Diagnostic{true, code, pos, source, line, {}});
}

void DiagnosticCollector::on_unknown_keyword(SourceKind source, int line,
                                             const std::string& field) {
  // The fields after an unknown keyword stand on the same line: one warning a line.
  if (last_warning_ && last_warning_->first == source && last_warning_->second == line) return;
  last_warning_ = std::make_pair(source, line);
  diagnostics_.push_back(Diagnostic{false, Code::none, std::nullopt, source, line, field});
}

int DiagnosticCollector::errors() const {
  return static_cast<int>(std::count_if(diagnostics_.begin(), diagnostics_.end(),
                                        [](const Diagnostic& d) { return d.is_error; }));
}

int DiagnosticCollector::warnings() const {
  return static_cast<int>(diagnostics_.size()) - errors();
}

std::string format_diagnostic(const Diagnostic& d, const std::string& line_source,
                              const std::string& train_source) {
  std::string text;
  if (d.source != SourceKind::none) {
    text = (d.source == SourceKind::line ? line_source : train_source) + ":" +
           std::to_string(d.line) + ": ";
  }
  if (d.is_error) {
    text += "error " + to_string(d.code) + ": " + std::string(code_meaning(d.code));
    if (d.pos) text += " (at " + std::to_string(*d.pos) + " m)";
    return text;
  }
  std::string_view word = d.field;
  while (!word.empty() && word.front() == ' ') word.remove_prefix(1);
  while (!word.empty() && word.back() == ' ') word.remove_suffix(1);
  text += "warning: \"" + std::string(word) + "\" matches no record keyword; the line is ignored";
  if (auto suggestion = suggest_keyword(d.source, d.field)) {
    text += " (did you mean \"" + *suggestion + "\"?)";
  }
  return text;
}

}  // namespace scenario::tool
