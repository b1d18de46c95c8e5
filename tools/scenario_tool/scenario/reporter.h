// The tool's own voice on standard error. A failure of the tool (a missing file, a wrong option,
// nothing to do) is one line, "scenario_tool: error: WHAT"; results go to standard output, and
// diagnostics about a source keep their FILE:LINE: form, so that editors and CI logs read them.
#pragma once

#include <ostream>
#include <string_view>

namespace scenario::tool {

// "scenario_tool: error: MESSAGE\n".
void report_error(std::ostream& err, std::string_view message);

// "scenario_tool: warning: MESSAGE\n": something the user should know that does not fail the verb.
void report_warning(std::ostream& err, std::string_view message);

}  // namespace scenario::tool
