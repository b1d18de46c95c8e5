#include "scenario_tool/check/timetable.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "format/cell_values.h"
#include "format/constants.h"
#include "format/table_entries.h"
#include "scenario_tool/check/running_line.h"
#include "scenario_tool/check/running_time.h"
#include "scenario_tool/scenario/table_views.h"

namespace scenario::tool {

namespace {

constexpr std::int64_t kDay = 24 * 3600;
// Stations of this type and above have no stop cell: the train passes them.
constexpr int kFirstPassingType = 25;

std::int64_t clamp_boundary(std::int64_t b, const std::vector<TrackCell>& track) {
  return std::clamp<std::int64_t>(b, 0, static_cast<std::int64_t>(track.size()));
}

// For each table entry, the first stop cell that refers to it.
std::vector<std::optional<std::int64_t>> stop_cells(const std::vector<TrackCell>& track) {
  std::vector<std::optional<std::int64_t>> cells(sim_table_size);
  for (std::size_t c = 0; c < track.size(); ++c) {
    const TrackCell& cell = track[c];
    if (cell.kind != cell_kind::station_stop || cell.value1 < 0 || cell.value1 >= sim_table_size) {
      continue;
    }
    auto& first = cells[static_cast<std::size_t>(cell.value1)];
    if (!first) first = static_cast<std::int64_t>(c);
  }
  return cells;
}

// The time from one point to the next; a fall of more than half a day is a run past midnight.
std::int64_t scheduled_between(const TimingPoint& a, const TimingPoint& b) {
  std::int64_t d = static_cast<std::int64_t>(b.time_s) - a.time_s;
  if (d < -kDay / 2) d += kDay;
  return d;
}

std::string point_text(const TimingPoint& p) {
  return p.name + " (" + time_of_day_text(p.time_s) + ")";
}

std::string section_text(const TimetableSection& s) {
  return s.from.name + " to " + s.to.name + ": " + km_text(s.distance_m()) + " km scheduled in " +
         duration_text(static_cast<double>(s.scheduled_s));
}

std::string rate_text(double v) {
  std::string text = std::to_string(v);
  while (text.ends_with('0')) text.pop_back();
  if (text.ends_with('.')) text.pop_back();
  return text;
}

// The first cell of [first, last) that cannot be driven, if any.
std::optional<std::int64_t> undrivable_cell(const std::vector<double>& speeds, std::int64_t first,
                                            std::int64_t last) {
  for (std::int64_t c = first; c < last; ++c) {
    if (speeds[static_cast<std::size_t>(c)] <= 0.0) return c;
  }
  return std::nullopt;
}

double sum_of(const std::vector<double>& per_cell, std::int64_t first, std::int64_t last) {
  double total = 0.0;
  for (std::int64_t c = first; c < last; ++c) total += per_cell[static_cast<std::size_t>(c)];
  return total;
}

void judge(TimetableSection& s, const std::vector<double>& speeds, const CellTimes& times,
           std::int64_t offset, const CheckParameters& p, std::vector<CheckFinding>& findings) {
  const std::int64_t first = s.from.position_m / cell_metres;
  const std::int64_t last = s.to.position_m / cell_metres;
  if (s.scheduled_s <= 0) {
    findings.push_back({s.to.position_m, Severity::error, check_id::timetable_order,
                        FileRole::table,
                        "the time at " + point_text(s.to) + " does not come after the time at " +
                            point_text(s.from)});
    return;
  }
  if (const auto c = undrivable_cell(speeds, first, last)) {
    findings.push_back({*c * cell_metres, Severity::warning, check_id::timetable_untimed,
                        FileRole::track,
                        "no speed limit (0 km/h) between " + s.from.name + " and " + s.to.name +
                            ": the running time of that section is not checked"});
    return;
  }
  s.lower_bound_s = sum_of(times.lower_bound, first - offset, last - offset);
  // A stop's time is its departure, so the section holds the dwell at its end.
  s.estimate_s = sum_of(times.estimate, first - offset, last - offset) +
                 times.standing_s[static_cast<std::size_t>(last - offset)];
  const auto scheduled = static_cast<double>(s.scheduled_s);
  if (scheduled < *s.lower_bound_s) {
    findings.push_back({s.to.position_m, Severity::error, check_id::timetable_lower_bound,
                        FileRole::table,
                        section_text(s) + ", but at the speed limits they take at least " +
                            duration_text(*s.lower_bound_s)});
  } else if (scheduled < *s.estimate_s) {
    findings.push_back({s.to.position_m, Severity::warning, check_id::timetable_estimate,
                        FileRole::table,
                        section_text(s) + ", less than the " + duration_text(*s.estimate_s) +
                            " estimated with acceleration " + rate_text(p.accel_m_s2) +
                            " and braking " + rate_text(p.decel_m_s2) + " m/s2"});
  }
}

// The running times of every cell from the first point to the last, stopping where it stops.
CellTimes times_between(const std::vector<TimingPoint>& points, const std::vector<double>& speeds,
                        const SimTable& table, const std::vector<TrackCell>& track,
                        const CheckParameters& p) {
  const std::int64_t first = points.front().position_m / cell_metres;
  const std::int64_t last = points.back().position_m / cell_metres;
  const TrainFigures train{p.accel_m_s2, p.decel_m_s2,
                           braked_mass_or_default(entries::braked_mass_percent(table)), p.dwell_s};
  RunningTimeInput in = running_input(track, speeds, first, last, train);
  for (const TimingPoint& t : points) {
    if (t.stop) in.stop[static_cast<std::size_t>(t.position_m / cell_metres - first)] = true;
  }
  return running_times(in);
}

}  // namespace

std::vector<TimingPoint> timing_points(const SimTable& table, const std::vector<TrackCell>& track) {
  const auto stops = stop_cells(track);
  std::vector<TimingPoint> points;
  for (int e : station_entries(table)) {
    const SimRecord& r = table[static_cast<std::size_t>(e)];
    if (r.time_s == 0) continue;
    TimingPoint t{e, r.name, 0, r.time_s, r.kind < kFirstPassingType};
    const auto stop_cell = t.stop ? stops[static_cast<std::size_t>(e)] : std::nullopt;
    const std::int64_t boundary =
        stop_cell ? *stop_cell
                  : static_cast<std::int64_t>(round_half_even(r.pos_m / double(cell_metres)));
    t.position_m = clamp_boundary(boundary, track) * cell_metres;
    points.push_back(std::move(t));
  }
  std::stable_sort(points.begin(), points.end(), [](const TimingPoint& a, const TimingPoint& b) {
    return a.position_m < b.position_m;
  });
  return points;
}

std::vector<double> allowed_speeds_kmh(const std::vector<TrackCell>& track) {
  std::vector<double> speeds(track.size());
  for (std::size_t c = 0; c < track.size(); ++c) speeds[c] = speed_limit_kmh(track[c]);
  for (std::size_t s = 0; s < track.size(); ++s) {
    if (track[s].kind != cell_kind::slowdown_start || track[s].value1 <= 0) continue;
    // A start without its end (an end that fell into the start's cell) holds only its own cell.
    std::size_t e = s + 1;
    while (e < track.size() && track[e].kind != cell_kind::slowdown_end &&
           track[e].kind != cell_kind::slowdown_start) {
      ++e;
    }
    if (e == track.size() || track[e].kind != cell_kind::slowdown_end) e = s;
    for (std::size_t c = s; c <= e; ++c) speeds[c] = std::min<double>(speeds[c], track[s].value1);
  }
  return speeds;
}

std::vector<TimetableSection> check_timetable(const SimTable& table,
                                              const std::vector<TrackCell>& track,
                                              const CheckParameters& p,
                                              std::vector<CheckFinding>& findings) {
  const std::vector<TimingPoint> points = timing_points(table, track);
  std::vector<TimetableSection> sections;
  if (points.size() < 2) return sections;
  const std::vector<double> speeds = allowed_speeds_kmh(track);
  const CellTimes times = times_between(points, speeds, table, track, p);
  const std::int64_t offset = points.front().position_m / cell_metres;
  for (std::size_t i = 1; i < points.size(); ++i) {
    TimetableSection s{points[i - 1], points[i], scheduled_between(points[i - 1], points[i]),
                       std::nullopt, std::nullopt};
    judge(s, speeds, times, offset, p, findings);
    sections.push_back(std::move(s));
  }
  return sections;
}

std::string duration_text(double seconds) {
  const auto total = static_cast<std::int64_t>(round_half_even(seconds));
  const std::int64_t s = std::llabs(total);
  std::string text = time_of_day_text(static_cast<std::int32_t>(s));
  if (s < 3600) {
    text.erase(0, 3);
    if (text.starts_with('0')) text.erase(0, 1);
  } else if (text.starts_with('0')) {
    text.erase(0, 1);
  }
  return (total < 0 ? "-" : "") + text;
}

}  // namespace scenario::tool
