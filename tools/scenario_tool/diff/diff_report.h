// What changed between two compiled scenarios, in the terms `inspect --cells` uses, built once:
// every change typed, and the JSON of `diff` written from them, as the text is.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
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
  std::optional<GeometryChange> geometry;
  std::vector<std::string> unexplained;
  // How many differences the diff lists (the line geometry counts as one).
  std::int64_t difference_count = 0;

  bool same() const { return difference_count == 0; }
};

// Every difference from `before` to `after`, grouped, each group in the order of the line.
Diff build_diff(const OpenedScenario& before, const OpenedScenario& after);

}  // namespace scenario::tool
