// What `plot` makes of a loaded scenario: the plan and the profile as SVG pictures, named from a
// prefix, and the notes on what could not be drawn.
#pragma once

#include <string>
#include <vector>

#include "scenario_tool/scenario/scenario_files.h"
#include "scenario_tool/scenario/scenario_load.h"

namespace scenario::tool {

struct Picture {
  std::string path;
  std::string svg;
};

// PREFIX_plan.svg (needs the line file) and PREFIX_profile.svg (needs the track file).
std::vector<Picture> draw_pictures(const LoadedScenario& loaded, const ScenarioFiles& files,
                                   const std::string& prefix, std::vector<std::string>& notes);

// ROUTE_TRAIN from the names of the track or table file, else ROUTE from the line file's name.
std::string default_prefix(const ScenarioFiles& files);

}  // namespace scenario::tool
