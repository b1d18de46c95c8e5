// What the compiler leaves unchecked between the track and the table: speed boards against the
// line speed limit, stop cells against their stations' zones, sign texts that no cell shows.
#pragma once

#include <vector>

#include "format/model.h"
#include "scenario_tool/check/finding.h"

namespace scenario::tool {

// A warning for each speed board none of whose speeds is the line speed limit in force after it:
// the limit at the board's cell, or the next different limit ahead of it.
void check_speed_boards(const std::vector<TrackCell>& track, std::vector<CheckFinding>& findings);

// A warning for each stop cell that lies outside its station's zone or refers to no station.
void check_stop_cells(const std::vector<TrackCell>& track, const SimTable& table,
                      std::vector<CheckFinding>& findings);

// A warning for each sign text of the table that no signboard cell refers to.
void check_sign_entries(const std::vector<TrackCell>& track, const SimTable& table,
                        std::vector<CheckFinding>& findings);

}  // namespace scenario::tool
