// The checks of the line itself: the speed a curve allows against the line speed limit over it,
// and the gradients steeper than allowed.
#pragma once

#include <vector>

#include "format/line_steps.h"
#include "format/model.h"
#include "scenario_tool/check/finding.h"
#include "scenario_tool/check/parameters.h"

namespace scenario::tool {

// The highest speed, in km/h, at which a curve of radius `radius_m` may be run with the cant and
// the cant deficiency of `p`, on standard gauge: sqrt(R (h + I) / 11.8).
double curve_speed_kmh(double radius_m, const CheckParameters& p);

// A warning for each curve of `steps` over which the track's line speed limit rises above the
// curve's speed, and one for a line that stops having the form of a compiled line.
void check_curves(const LineSteps& steps, const std::vector<TrackCell>& track,
                  const CheckParameters& p, std::vector<CheckFinding>& findings);

// A warning for each stretch of cells whose gradient is steeper, rising or falling, than allowed.
void check_gradients(const std::vector<TrackCell>& track, const CheckParameters& p,
                     std::vector<CheckFinding>& findings);

}  // namespace scenario::tool
