// What changed between two compiled scenarios, in the terms `inspect --cells` uses, built once as
// JSON; the text is drawn from the same object.
#pragma once

#include <cstdint>

#include "scenario_tool/scenario/json.h"
#include "scenario_tool/scenario/scenario_load.h"

namespace scenario::tool {

// The version of the JSON of `diff`; it changes whenever a key changes meaning or disappears.
inline constexpr int diff_version = 1;

// Every difference from `before` to `after`, grouped, each group in the order of the line.
Json build_diff(const LoadedScenario& before, const LoadedScenario& after);

// How many differences a diff lists (the line geometry counts as one).
std::int64_t difference_count(const Json& diff);

}  // namespace scenario::tool
