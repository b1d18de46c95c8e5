// The feature strip of the profile: the curves of the line file, then one lane per kind of feature
// (signals, speed boards, slowdowns, code markers, signboards, tunnels), each feature a symbol at
// its cell.
#pragma once

#include <vector>

#include "format/model.h"
#include "scenario_tool/plot/profile_layout.h"
#include "scenario_tool/plot/svg.h"

namespace scenario::tool {

// The lanes' names, top to bottom.
std::vector<std::string> feature_lane_names();

// The curves' lane needs the line file; without it the lane stays empty.
void draw_feature_lanes(Svg& svg, const ProfileLayout& layout, const std::vector<TrackCell>& track,
                        const SimTable* table, const LineGeometry* line);

}  // namespace scenario::tool
