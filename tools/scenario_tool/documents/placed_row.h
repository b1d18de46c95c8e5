// A sheet row with the cell boundary where the running-time model times it: the pieces the rows
// of the sheet are built of (their places, then their times).
#pragma once

#include <cstdint>
#include <vector>

#include "scenario_tool/documents/documents.h"

namespace scenario::tool {

struct PlacedRow {
  std::int64_t boundary = 0;
  SheetRow row;
  std::int32_t scheduled_s = 0;  // a station's timetable time
  double late_s = 0.0;           // how much later than its timetable the model reaches it
};

// Stations of this type and above have no stop cell: the train passes them.
inline constexpr int kFirstPassingType = 25;

inline bool stops_at(const Station& s) { return s.type < kFirstPassingType && s.time_s != 0; }

std::vector<Station> stations_in_line_order(const Scenario& scenario);

// The stations, the changes of the limit, the protection signals and the km posts, in line order.
std::vector<PlacedRow> placed_rows(const Scenario& scenario, const std::vector<Station>& stations,
                                   const std::vector<TrackCell>& track);

// The times, "Vel. Marc." and "Rec" of the rows, from the first station's departure at `start`.
void time_placed_rows(std::vector<PlacedRow>& rows, const Scenario& scenario,
                      const std::vector<TrackCell>& track, std::int64_t start,
                      const DocumentOptions& options);

}  // namespace scenario::tool
