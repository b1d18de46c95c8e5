// The two panels of the profile that plot values against distance: the elevation and the line
// speed limit, each on its own vertical axis, over the shading of poor adhesion.
#pragma once

#include <vector>

#include "format/model.h"
#include "scenario_tool/plot/profile_layout.h"
#include "scenario_tool/plot/svg.h"

namespace scenario::tool {

// Shades the stretches of poor adhesion across both panels.
void draw_poor_adhesion(Svg& svg, const ProfileLayout& layout, const std::vector<TrackCell>& track);

// The elevation the gradients add up to, with its axis in metres ("tick-elevation" groups).
void draw_elevation_panel(Svg& svg, const ProfileLayout& layout,
                          const std::vector<TrackCell>& track);

// The line speed limit as a step line, with its axis in km/h ("tick-speed" groups).
void draw_speed_panel(Svg& svg, const ProfileLayout& layout, const std::vector<TrackCell>& track);

}  // namespace scenario::tool
