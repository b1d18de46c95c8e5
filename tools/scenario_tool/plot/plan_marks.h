// What the plan draws over the centre line: the stations, the kilometre ticks, the scale bar
// and the legend.
#pragma once

#include <string>
#include <vector>

#include "format/model.h"
#include "scenario_tool/plot/labels.h"
#include "scenario_tool/plot/plan_frame.h"
#include "scenario_tool/plot/scene.h"
#include "scenario_tool/plot/svg.h"

namespace scenario::tool {

// A marker and the name of each station between from_m and to_m at the point of the line at its
// position, the names to the right of the line; a station whose metre has no point is told in
// `notes` and left out.
void draw_plan_stations(Svg& svg, const PlanFrame& frame, const LineGeometry& line,
                        const std::vector<StationMark>& stations, std::int64_t from_m,
                        std::int64_t to_m, LabelPlacer& labels, std::vector<std::string>& notes);

// Metres between two kilometre ticks: every 5 km, or at most about thirty over a long stretch.
std::int64_t plan_tick_step(std::int64_t from_m, std::int64_t to_m);

// A tick across the line every plan_tick_step between from_m and to_m, with its kilometre on the
// left of the line.
void draw_kilometre_ticks(Svg& svg, const PlanFrame& frame, const LineGeometry& line,
                          std::int64_t from_m, std::int64_t to_m, LabelPlacer& labels);

// A label beside metre m of the line, on its left, placed clear of the other labels.
void label_on_left(Svg& svg, const PlanFrame& frame, const LineGeometry& line, std::int64_t m,
                   const std::string& text, LabelPlacer& labels);

// A bar of a round number of kilometres, in the bottom left corner; gives the space it takes.
Box draw_scale_bar(Svg& svg, const PlanFrame& frame);

// Gives the space it takes.
Box draw_plan_legend(Svg& svg, std::int64_t tick_step);

}  // namespace scenario::tool
