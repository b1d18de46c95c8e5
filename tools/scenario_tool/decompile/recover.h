// From the decoded compiled files of one scenario to the records of its two sources.
#pragma once

#include <vector>

#include "format/line_steps.h"
#include "format/model.h"
#include "scenario_tool/decompile/recovered.h"

namespace scenario::tool {

// `line`, the steps of the line file, is null for a scenario compiled without line geometry. Throws
// Unrecoverable for files that do not belong together, a track cell of a kind no compile writes, or
// a line that is not made of the compiler's steps.
RecoveredScenario recover_scenario(const std::vector<TrackCell>& track, const SimTable& table,
                                   const LineSteps* line);

}  // namespace scenario::tool
