// What a compile of an author's sources has to say, as lines that editors and CI logs
// understand: FILE:LINE: error CODE: MESSAGE (at km 7.800) (scenario_tool explain CODE),
// FILE:LINE: error: MESSAGE (scenario_tool explain ID) for a record the compile drops without a
// code, and
// FILE:LINE: warning: MESSAGE (scenario_tool explain ID). The compiler's codes come as it records
// them, but an error 25 is put on the line of the record that caused it, with the field named,
// when the check of the sources can tell which one, and a code with a precise cause says it;
// the check adds its warnings and the errors of the records it finds dropped.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "compiler/observer.h"
#include "scenario_tool/compile/source_check.h"

namespace scenario::tool {

struct Diagnostic {
  bool is_error = true;
  Code code = Code::none;  // errors only
  std::optional<std::int32_t> pos;
  SourceKind source = SourceKind::none;
  int line = 0;
  std::string id;       // warnings and errors without a code: the id; an error 25 explained: its id
  std::string message;  // errors: empty when the code's own meaning says it all
  // Another record the message names as {other}; {here} names this one's line.
  std::optional<std::pair<SourceKind, int>> other;
};

// Hears the compiler: the codes it records, the keywords it cannot place, the records it reads.
class CompileListener : public CompileObserver {
 public:
  void on_code(Code code, std::optional<std::int32_t> pos, SourceKind source, int line) override;
  void on_unknown_keyword(SourceKind source, int line, const std::string& field) override;
  void on_record(const RecordKind& kind, SourceKind source, int line, int values) override;

  const std::vector<Diagnostic>& heard() const { return heard_; }
  // Whether the record on the line was read.
  bool read(SourceKind source, int line) const { return read_records_.contains({source, line}); }
  // Whether a record was read in full between the two lines (both excluded).
  bool read_between(SourceKind source, int after, int before) const;

 private:
  std::vector<Diagnostic> heard_;
  std::set<std::pair<SourceKind, int>> read_records_;
  std::optional<std::pair<SourceKind, int>> last_warning_;
};

// The compiler's diagnostics and the check's findings as one list, in the order of the sources
// and their lines (what names no line last, as recorded). Warnings whose id is in `silenced` are
// left out.
std::vector<Diagnostic> merge_diagnostics(const CompileListener& heard, const SourceCheck& check,
                                          const std::set<std::string>& silenced);

// A diagnostic's message alone, with the records it names as FILE:LINE.
std::string diagnostic_message(const Diagnostic& d, const std::string& line_source,
                               const std::string& train_source);

// One line for a diagnostic, naming the author's files.
std::string format_diagnostic(const Diagnostic& d, const std::string& line_source,
                              const std::string& train_source);

}  // namespace scenario::tool
