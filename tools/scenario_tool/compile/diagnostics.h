// Turns what the compiler records into lines that editors and CI logs understand:
// FILE:LINE: error CODE: MEANING (at POS m)
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "compiler/observer.h"

namespace scenario::tool {

struct Diagnostic {
  bool is_error = true;
  Code code = Code::none;  // errors only
  std::optional<std::int32_t> pos;
  SourceKind source = SourceKind::none;
  int line = 0;
  std::string field;  // warnings: the keyword field that matched nothing
};

// Collects the compiler's reports in the order they happen.
class DiagnosticCollector : public CompileObserver {
 public:
  void on_code(Code code, std::optional<std::int32_t> pos, SourceKind source, int line) override;
  void on_unknown_keyword(SourceKind source, int line, const std::string& field) override;

  const std::vector<Diagnostic>& diagnostics() const { return diagnostics_; }
  int errors() const;
  int warnings() const;

 private:
  std::vector<Diagnostic> diagnostics_;
  std::optional<std::pair<SourceKind, int>> last_warning_;
};

// One line for a diagnostic, naming the author's files.
std::string format_diagnostic(const Diagnostic& d, const std::string& line_source,
                              const std::string& train_source);

}  // namespace scenario::tool
