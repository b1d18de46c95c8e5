// The timetable against the line: between consecutive stations that carry a time, the time must
// rise, and the schedule must leave at least the running time the line allows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "format/model.h"
#include "scenario_tool/check/finding.h"
#include "scenario_tool/check/parameters.h"

namespace scenario::tool {

// A station with a time, where the timetable is kept.
struct TimingPoint {
  int entry = 0;
  std::string name;
  std::int64_t position_m = 0;  // a cell boundary: where the train stops, or the station
  std::int32_t time_s = 0;
  bool stop = false;  // the train stops here (the station has a stop cell)
};

struct TimetableSection {
  TimingPoint from;
  TimingPoint to;
  std::int64_t scheduled_s = 0;  // after a day is added for a run past midnight
  // None when the section cannot be driven (a cell with no speed limit) or its times fall.
  std::optional<double> lower_bound_s;
  std::optional<double> estimate_s;

  std::int64_t distance_m() const { return to.position_m - from.position_m; }
};

// The stations with a time, in order along the line, each at the start of its stop cell (the
// station's position when it has none).
std::vector<TimingPoint> timing_points(const SimTable& table, const std::vector<TrackCell>& track);

// The speed the train may hold in each cell, km/h: the line speed limit, or the speed of a
// slowdown in force there (from its start cell to its end cell) when lower.
std::vector<double> allowed_speeds_kmh(const std::vector<TrackCell>& track);

// Every section between consecutive timing points, timed; the findings go into `findings`.
std::vector<TimetableSection> check_timetable(const SimTable& table,
                                              const std::vector<TrackCell>& track,
                                              const CheckParameters& p,
                                              std::vector<CheckFinding>& findings);

// "6:00" below an hour, "1:02:03" from an hour on; whole seconds, halves to even.
std::string duration_text(double seconds);

}  // namespace scenario::tool
