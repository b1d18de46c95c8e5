// The `plot` verb: draws the compiled files of one scenario as a plan and a profile in SVG.
#pragma once

#include <ostream>
#include <string>

#include "platform/file_system.h"
#include "scenario_tool/scenario/scenario_files.h"
#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {

// run_plot on the given file system, so that tests can make a read or a write fail.
int run_plot_on(const PlotOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err);

// ROUTE_TRAIN from the names of the track or table file, else ROUTE from the line file's name.
std::string default_prefix(const ScenarioFiles& files);

}  // namespace scenario::tool
