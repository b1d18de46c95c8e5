// What a compile comes to, in the two lines that close its output: where the reading stopped and
// how many records the simulator will not get, and the counts with what was written and the
// code the generator records (the last line, which scripts read).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "compiler/code_log.h"
#include "scenario_tool/compile/diagnostics.h"
#include "scenario_tool/compile/source_check.h"

namespace scenario::tool {

// "reading stopped at FILE:LINE; N records after it were not compiled", when a code stopped
// the reading of the compile `heard` on a line (`diagnostics`: its diagnostics, which put the
// code on the record that caused it). The records are those the compile never heard of.
std::optional<std::string> reading_stopped(const CompileListener& heard,
                                           const std::vector<Diagnostic>& diagnostics,
                                           const SourceCheck& check, const std::string& line_source,
                                           const std::string& train_source);

// "N error(s), M warning(s)", then, when the compile had an error or recorded a code, whether it
// wrote its files, with the code: "; nothing written (error 16 at 7800 m)".
std::string verdict_line(int errors, int warnings, bool written, const RecordedCode& code);

}  // namespace scenario::tool
