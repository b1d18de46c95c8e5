// The legend under the profile: what each line, shading, bar and symbol stands for.
#pragma once

#include "scenario_tool/plot/profile_layout.h"
#include "scenario_tool/plot/svg.h"

namespace scenario::tool {

void draw_profile_legend(Svg& svg, const ProfileLayout& layout);

}  // namespace scenario::tool
