// What `plot` makes of a loaded scenario: the plan and the profile as SVG pictures, named from a
// prefix, and the notes on what could not be drawn.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "scenario_tool/plot/scene.h"
#include "scenario_tool/scenario/scenario_files.h"
#include "scenario_tool/scenario/scenario_load.h"

namespace scenario::tool {

struct Picture {
  std::string path;
  std::string svg;
};

// The scene of a loaded scenario, named from the table, else from the file names.
PlotScene plot_scene(const LoadedScenario& loaded, const ScenarioFiles& files);

// What to draw: the whole line, or the stretch from from_m to to_m; the profile on one page, or
// on one page per page_m metres.
struct PlotStretch {
  std::optional<double> from_m = std::nullopt;
  std::optional<double> to_m = std::nullopt;
  std::optional<double> page_m = std::nullopt;
};

// PREFIX_plan.svg (needs the line file) and PREFIX_profile.svg (needs the track file), or with
// pages PREFIX_profile_01.svg, PREFIX_profile_02.svg, ... A stretch that ends beyond the track is
// cut at its end, with a note.
std::vector<Picture> draw_pictures(const LoadedScenario& loaded, const ScenarioFiles& files,
                                   const std::string& prefix, const PlotStretch& stretch,
                                   std::vector<std::string>& notes);

// ROUTE_TRAIN from the names of the track or table file, else ROUTE from the line file's name.
std::string default_prefix(const ScenarioFiles& files);

}  // namespace scenario::tool
