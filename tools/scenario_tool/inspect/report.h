// The content of `inspect`: everything the decoded files tell, as one JSON document whose schema
// the README describes. A part whose file is absent or damaged is null.
#pragma once

#include "scenario_tool/scenario/json.h"
#include "scenario_tool/scenario/scenario_load.h"

namespace scenario::tool {

// 2: `curves` with --cells.
inline constexpr int report_version = 2;

// With `cells`, also the occupied cells, the stretches, the approach codes and the curves.
Json build_report(const LoadedScenario& scenario, bool cells);

}  // namespace scenario::tool
