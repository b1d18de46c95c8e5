// The plan: the centre line of the line file seen from above, with its stations, tunnels and
// kilometres.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "scenario_tool/plot/plan_frame.h"
#include "scenario_tool/plot/scene.h"

namespace scenario::tool {

// How far, in page units (a fifth of a millimetre), the drawn line may stray from the stored
// one: the line file holds a point per metre, far more than a page can show.
inline constexpr double plan_tolerance = 0.1;

// The frame the plan of this line (or of the metres of `stretch`) is drawn in; empty when no metre
// has a point.
std::optional<PlanFrame> plan_frame(const LineGeometry& line);
std::optional<PlanFrame> plan_frame(const LineGeometry& line, MetreRange stretch);

// The plan's SVG; scene.line must be set. Empty, with a note, when the line has no point to
// draw. What cannot be drawn (tunnels without a track, stations without a table) is told in
// `notes`.
std::optional<std::string> plan_svg(const PlotScene& scene, std::vector<std::string>& notes);
// The plan of the metres of `stretch` only.
std::optional<std::string> plan_svg(const PlotScene& scene, MetreRange stretch,
                                    std::vector<std::string>& notes);

}  // namespace scenario::tool
