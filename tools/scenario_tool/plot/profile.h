// The profile: the line unrolled along its distance, with the elevation, the speed limit, the
// adhesion, the stations and every feature of the track.
#pragma once

#include <string>
#include <vector>

#include "scenario_tool/plot/scene.h"

namespace scenario::tool {

// The profile's SVG of the stretch from_m to to_m; scene.track must be set. What cannot be drawn
// (stations without a table) is told in `notes`.
std::string profile_svg(const PlotScene& scene, double from_m, double to_m,
                        std::vector<std::string>& notes);

}  // namespace scenario::tool
