// What the page of `view` shows, as one JSON document: the report of `inspect --json --cells`,
// every feature worded as the format reference words it, the centre line and the profile's
// series with their levels of detail, the curves, and the findings to mark.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "scenario_tool/scenario/json.h"
#include "scenario_tool/scenario/scenario.h"
#include "scenario_tool/scenario/scenario_files.h"
#include "scenario_tool/scenario/scenario_load.h"

namespace scenario::tool {

// A finding to mark on the profile, at a position along the track; one with no place on the line
// (a table entry no cell refers to) is only listed.
struct ViewFinding {
  std::optional<std::int64_t> position_m;
  std::string severity;  // "error", "warning", ...
  std::string message;
  std::string check_id;
};

// The finest tolerance of the centre line, metres: the page never shows less than a pixel per
// this many metres, so a pixel is never finer than what the levels keep.
inline constexpr double plan_finest_metres = 0.1;
// Likewise along the profile.
inline constexpr double profile_finest_metres = 0.2;
// The heights of the elevation and speed panels on the page, in pixels; their vertical scale is
// fixed, so that the series can be thinned for it.
inline constexpr double elevation_panel_px = 150;
inline constexpr double speed_panel_px = 100;

// The findings of `check` with its default parameters, as the page marks them.
std::vector<ViewFinding> check_findings(const LoadedScenario& loaded);

Json view_data(const LoadedScenario& loaded, const Scenario& scenario, const ScenarioFiles& files,
               const std::vector<ViewFinding>& findings);

// The centre line's part: {tolerances, m, x, y (centimetres), level, runs}; null without a
// point.
Json plan_data(const LineGeometry& line);

}  // namespace scenario::tool
