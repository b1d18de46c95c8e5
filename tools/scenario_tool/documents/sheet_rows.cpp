// The timetable sheet's rows and their times. The times follow the running-time model of check
// (the estimate: limits and slowdowns, constant acceleration and braking), held to the curves'
// speeds, from the first station's departure, fitted to the timetable's times; a stop lasts at
// least its dwell.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "format/constants.h"
#include "scenario_tool/check/line_checks.h"
#include "scenario_tool/check/running_time.h"
#include "scenario_tool/check/timetable.h"
#include "scenario_tool/documents/documents.h"
#include "scenario_tool/documents/layout.h"

namespace scenario::tool {

namespace {

constexpr std::int64_t kDay = 24 * 3600;
constexpr int kFirstPassingType = 25;

struct PlacedRow {
  std::int64_t boundary = 0;
  SheetRow row;
  std::int32_t scheduled_s = 0;  // a station's timetable time
};

bool stops_at(const Station& s) { return s.type < kFirstPassingType && s.time_s != 0; }

std::int64_t boundary_of(const Station& s, const std::vector<TrackCell>& track) {
  const std::int64_t b =
      stops_at(s) && s.stop_cell
          ? *s.stop_cell
          : static_cast<std::int64_t>(round_half_even(s.position_m / double(cell_metres)));
  return std::clamp<std::int64_t>(b, 0, static_cast<std::int64_t>(track.size()));
}

std::vector<Station> stations_in_line_order(const Scenario& scenario) {
  std::vector<Station> stations = scenario.stations;
  std::stable_sort(stations.begin(), stations.end(),
                   [](const Station& a, const Station& b) { return a.position_m < b.position_m; });
  return stations;
}

std::optional<std::int32_t> limit_at(const Scenario& scenario, std::int64_t position_m) {
  for (const Run& r : scenario.speed_limits_kmh) {
    if (r.start_m <= position_m && position_m < r.end_m && r.value && *r.value > 0) return r.value;
  }
  return std::nullopt;
}

std::vector<PlacedRow> station_rows(const std::vector<Station>& stations,
                                    const std::vector<TrackCell>& track) {
  std::vector<PlacedRow> rows;
  for (std::size_t i = 0; i < stations.size(); ++i) {
    const Station& s = stations[i];
    RowKind kind = stops_at(s) ? RowKind::stop : RowKind::passing;
    if (i == 0) kind = RowKind::departure;
    if (i + 1 == stations.size()) kind = RowKind::arrival;
    rows.push_back(
        {boundary_of(s, track), {kind, s.position_m, s.name, std::nullopt, {}, {}}, s.time_s});
  }
  return rows;
}

std::string change_place(std::int64_t position_m) {
  if (position_m % 1000 == 0) return "Cippo chilometro " + km_figure(position_m);
  return "Km " + km_figure(position_m);
}

// A change of the limit within a cell of a station is told on the station's row.
void add_speed_changes(const Scenario& scenario, std::vector<PlacedRow>& rows) {
  const std::int64_t first = rows.front().row.position_m;
  const std::int64_t last = rows.back().row.position_m;
  rows.front().row.limit_kmh = limit_at(scenario, first);
  for (const Run& r : scenario.speed_limits_kmh) {
    if (!r.value || *r.value <= 0 || r.start_m <= first || r.start_m >= last) continue;
    auto near = std::find_if(rows.begin(), rows.end(), [&](const PlacedRow& p) {
      return p.row.kind != RowKind::speed_change && !p.row.limit_kmh &&
             std::llabs(p.row.position_m - r.start_m) < cell_metres;
    });
    if (near != rows.end()) {
      near->row.limit_kmh = *r.value;
      continue;
    }
    rows.push_back({r.start_m / cell_metres,
                    {RowKind::speed_change, r.start_m, change_place(r.start_m), *r.value, {}, {}},
                    0});
  }
  std::stable_sort(rows.begin(), rows.end(), [](const PlacedRow& a, const PlacedRow& b) {
    return a.row.position_m < b.row.position_m;
  });
}

// The signal a driver expects before a stop: the last one within this distance of it.
constexpr std::int64_t kProtectionReach = 2000;

// A row for the signal that protects each stop after the first, named after the stop.
void add_protection_signals(const Scenario& scenario, const std::vector<Station>& stations,
                            std::vector<PlacedRow>& rows) {
  for (std::size_t i = 1; i < stations.size(); ++i) {
    const Station& s = stations[i];
    if (!stops_at(s)) continue;
    const Signal* last = nullptr;
    for (const Signal& g : scenario.signals) {
      if (g.position_m < s.position_m && g.position_m >= s.position_m - kProtectionReach &&
          g.position_m > stations[i - 1].position_m) {
        last = &g;
      }
    }
    if (!last) continue;
    rows.push_back({last->position_m / cell_metres,
                    {RowKind::passing,
                     last->position_m,
                     "Seg. protezione " + lettered(s.name),
                     std::nullopt,
                     {},
                     {}},
                    0});
  }
  std::stable_sort(rows.begin(), rows.end(), [](const PlacedRow& a, const PlacedRow& b) {
    return a.row.position_m < b.row.position_m;
  });
}

// The speeds of check's estimate, held also to the speed each curve allows with check's cant and
// cant deficiency, when the line file gives the curves.
std::vector<double> cell_speeds_kmh(const Scenario& scenario, const std::vector<TrackCell>& track) {
  std::vector<double> speeds = allowed_speeds_kmh(track);
  if (!scenario.curves) return speeds;
  const auto cells = static_cast<std::int64_t>(speeds.size());
  for (const CurveStretch& c : scenario.curves->curves) {
    if (c.radius_m <= 0.0) continue;
    const double allowed = curve_speed_kmh(c.radius_m, CheckParameters{});
    const std::int64_t from = std::clamp<std::int64_t>(c.start_m / cell_metres, 0, cells);
    const std::int64_t to = std::clamp<std::int64_t>(c.end_m / cell_metres + 1, 0, cells);
    for (std::int64_t i = from; i < to; ++i) {
      auto& v = speeds[static_cast<std::size_t>(i)];
      if (v > 0.0) v = std::min(v, allowed);
    }
  }
  return speeds;
}

// Seconds from the first boundary to each boundary up to the last, without the stops' waits.
std::vector<double> running_clock(const std::vector<PlacedRow>& rows, const Scenario& scenario,
                                  const std::vector<TrackCell>& track, const DocumentOptions& o) {
  const std::int64_t first = rows.front().boundary;
  const std::int64_t last = std::max(first, rows.back().boundary);
  const std::vector<double> speeds = cell_speeds_kmh(scenario, track);
  RunningTimeInput in;
  in.cell_m = static_cast<double>(cell_metres);
  in.accel_m_s2 = o.accel_m_s2;
  in.decel_m_s2 = o.decel_m_s2;
  for (std::int64_t c = first; c < last; ++c) {
    in.cap_m_s.push_back(speeds[static_cast<std::size_t>(c)] / 3.6);
  }
  in.stop.assign(in.cap_m_s.size() + 1, false);
  in.stop.front() = true;
  in.stop.back() = true;
  for (const PlacedRow& p : rows) {
    if (p.row.kind == RowKind::stop && p.boundary >= first && p.boundary <= last) {
      in.stop[static_cast<std::size_t>(p.boundary - first)] = true;
    }
  }
  const CellTimes times = running_times(in);
  std::vector<double> clock{0.0};
  for (double t : times.estimate) clock.push_back(clock.back() + t);
  return clock;
}

// The scheduled time nearest `near`, whole days apart.
std::int64_t unwrapped(std::int64_t scheduled, std::int64_t near) {
  while (scheduled < near - kDay / 2) scheduled += kDay;
  while (scheduled > near + kDay / 2) scheduled -= kDay;
  return scheduled;
}

std::int64_t start_time(const Scenario& scenario, const Station& first) {
  if (first.time_s != 0 || !scenario.header) return first.time_s;
  const auto& c = scenario.header->clock;
  return c[0] * 3600 + c[1] * 60 + c[2];
}

double clock_at(const PlacedRow& p, const std::vector<double>& clock, std::int64_t first) {
  const auto at = static_cast<std::size_t>(std::max<std::int64_t>(p.boundary - first, 0));
  return clock[std::min(at, clock.size() - 1)];
}

bool is_target(const PlacedRow& p) {
  return p.row.kind == RowKind::stop || (p.row.kind == RowKind::arrival && p.scheduled_s != 0);
}

// Times the rows after `from` up to `to` (a timed station, or the last row) over a run of
// `stretch` times the estimate.
void time_section(std::vector<PlacedRow>& rows, std::size_t from, std::size_t to,
                  std::int64_t leave, double stretch, const std::vector<double>& clock) {
  const std::int64_t first = rows.front().boundary;
  const double at_leave = clock_at(rows[from], clock, first);
  for (std::size_t j = from + 1; j <= to; ++j) {
    const double run = (clock_at(rows[j], clock, first) - at_leave) * stretch;
    rows[j].row.arrival_s = leave + static_cast<std::int64_t>(round_half_even(run));
  }
}

// Between two stations with a time the estimate is stretched to fill the schedule, so a timed
// station keeps its time and the places between share the margin; a schedule shorter than the
// estimate makes the train late, and it leaves after its dwell.
void time_rows(std::vector<PlacedRow>& rows, const std::vector<double>& clock, std::int64_t start,
               const DocumentOptions& o) {
  const std::int64_t first = rows.front().boundary;
  rows.front().row.departure_s = start;
  std::int64_t leave = start;
  std::size_t from = 0;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    if (!is_target(rows[i]) && i + 1 < rows.size()) continue;
    const double run = clock_at(rows[i], clock, first) - clock_at(rows[from], clock, first);
    if (!std::isfinite(run)) return;  // a cell without a speed limit: no times from here on
    double stretch = 1.0;
    const bool stop = rows[i].row.kind == RowKind::stop;
    if (is_target(rows[i])) {
      const auto estimate = leave + static_cast<std::int64_t>(round_half_even(run));
      const std::int64_t target = unwrapped(rows[i].scheduled_s, estimate) - (stop ? o.dwell_s : 0);
      if (run > 0.0 && static_cast<double>(target - leave) > run) {
        stretch = static_cast<double>(target - leave) / run;
      }
    }
    time_section(rows, from, i, leave, stretch, clock);
    if (stop) {
      const std::int64_t arrival = *rows[i].row.arrival_s;
      rows[i].row.departure_s =
          std::max(arrival + o.dwell_s, unwrapped(rows[i].scheduled_s, arrival));
      leave = *rows[i].row.departure_s;
      from = i;
    }
  }
}

}  // namespace

std::vector<SheetRow> sheet_rows(const Scenario& scenario, const std::vector<TrackCell>& track,
                                 const DocumentOptions& options) {
  const std::vector<Station> stations = stations_in_line_order(scenario);
  if (stations.size() < 2) return {};
  std::vector<PlacedRow> rows = station_rows(stations, track);
  add_speed_changes(scenario, rows);
  add_protection_signals(scenario, stations, rows);
  const std::vector<double> clock = running_clock(rows, scenario, track, options);
  time_rows(rows, clock, start_time(scenario, stations.front()), options);
  std::vector<SheetRow> out;
  for (PlacedRow& p : rows) out.push_back(std::move(p.row));
  return out;
}

}  // namespace scenario::tool
