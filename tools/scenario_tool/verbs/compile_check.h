// `compile --check`: the engineering checks of `check` on the model the compile made, and the
// checks over the records of both sources, as diagnostics on the lines of the records they
// concern, so that they count in the compile's verdict.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "compiler/compile_sources.h"
#include "scenario_tool/check/parameters.h"
#include "scenario_tool/check/run_checks.h"
#include "scenario_tool/compile/diagnostics.h"
#include "scenario_tool/compile/source_check.h"

namespace scenario::tool {

// A finding of `check` as a diagnostic on the line of its record, the km kept in the message.
Diagnostic finding_diagnostic(const CheckFinding& f, const std::vector<CheckedRecord>& records);

// Every finding, those whose id is in `silenced` left out. The model is checked only when the
// compile read it whole (`model_whole`): a half-read scenario would mislead the checks.
std::vector<Diagnostic> compile_check(const CompileResult& result, bool model_whole,
                                      const SourceCheck& sources, const CheckParameters& p,
                                      const std::set<std::string>& silenced);

// Whether -W no-ID may name the id under --check.
bool is_check_id(const std::string& id);

}  // namespace scenario::tool
