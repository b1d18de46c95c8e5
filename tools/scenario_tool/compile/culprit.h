// The cause of an error in the author's terms, where the code's own meaning is too broad: a cell
// conflict names the record that holds the cell, with its line; a signal before 325 m, two
// stations in the wrong order, a route length that reads as km are said as such. Worked out
// from the records the check of the sources read and the compiler's cell rules.
#pragma once

#include "scenario_tool/compile/diagnostics.h"
#include "scenario_tool/compile/source_check.h"

namespace scenario::tool {

// Gives `d` (an error whose record is on its line) its precise message, when there is one.
void blame_culprit(Diagnostic& d, const SourceCheck& check);

}  // namespace scenario::tool
