// Checks across the decoded files. Each file can be well formed on its own and still not belong
// with the others, or be cut exactly at a record boundary, which its own layout cannot show.
#pragma once

#include <string>
#include <vector>

#include "scenario_tool/scenario/scenario_load.h"

namespace scenario::tool {

// One sentence per disagreement; empty when the files agree.
std::vector<std::string> consistency_warnings(const LoadedScenario& scenario);

}  // namespace scenario::tool
