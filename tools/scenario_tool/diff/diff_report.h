// What changed between two compiled scenarios, in the terms `inspect --cells` uses, built once:
// the JSON of `diff`, and the feature changes typed, which the text is also drawn from.
#pragma once

#include <cstdint>
#include <vector>

#include "scenario_tool/diff/changes.h"
#include "scenario_tool/scenario/json.h"
#include "scenario_tool/scenario/open_scenario.h"

namespace scenario::tool {

// The version of the JSON of `diff`; it changes whenever a key changes meaning or disappears.
inline constexpr int diff_version = 1;

struct Diff {
  Json json;
  std::vector<ValueChange> identifiers;
  std::vector<ValueChange> general;
  std::vector<StationChange> stations;
  std::vector<SignChange> signboards;
  std::vector<FeatureChange> features;
  std::vector<StretchChange> stretches;
  std::vector<ApproachCodeChange> approach_codes;

  bool same() const { return json["same"].get<bool>(); }
};

// Every difference from `before` to `after`, grouped, each group in the order of the line.
Diff build_diff(const OpenedScenario& before, const OpenedScenario& after);

// How many differences a diff lists (the line geometry counts as one).
std::int64_t difference_count(const Json& diff);

}  // namespace scenario::tool
