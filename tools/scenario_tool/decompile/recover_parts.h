// The parts of the recovery, one per concern; recover_scenario calls them in this order, each
// adding its records (and what it cannot express) to the scenario.
#pragma once

#include <vector>

#include "format/line_steps.h"
#include "format/model.h"
#include "scenario_tool/decompile/recovered.h"

namespace scenario::tool {

// Position of a point feature (signal, board, sign, slowdown cell) that lands in cell c.
inline std::int32_t point_position(std::int64_t c) {
  return static_cast<std::int32_t>((c - 1) * cell_metres);
}
// Position whose round(p / 50) is cell c (stretches, code cuts, tunnel starts).
inline std::int32_t cell_position(std::int64_t c) {
  return static_cast<std::int32_t>(c * cell_metres);
}

// Route length, kilometre points, backgrounds, code repetition, train values.
void recover_general(const SimTable& table, RecoveredScenario& out);
// Stations and sign texts, with the signboard cells of the track that point at the texts.
void recover_table_features(const std::vector<TrackCell>& track, const SimTable& table,
                            RecoveredScenario& out);
// Gradients, speed limits, adhesion and tunnels.
void recover_stretches(const std::vector<TrackCell>& track, RecoveredScenario& out);
// Signals, speed boards, slowdowns and code cuts. The code markers that the finishing pass adds
// are told apart from the author's code cuts here.
void recover_point_features(const std::vector<TrackCell>& track, RecoveredScenario& out);
// Marks the signals whose approach codes a station's replace in the stored track: they are read
// before the stations. Needs the stations and the signals recovered.
void order_approach_codes(const std::vector<TrackCell>& track, RecoveredScenario& out);
// Curves from the steps of the line.
void recover_curves(const LineSteps& steps, RecoveredScenario& out);

// The cells that hold an author's code cut (kind 12 or 13), as opposed to a marker of the
// finishing pass.
std::vector<std::int64_t> authored_code_cuts(const std::vector<TrackCell>& track);

}  // namespace scenario::tool
