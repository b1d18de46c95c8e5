// The sheet's times, running speeds and margins. The running-time model of check (limits,
// slowdowns, gradients, adhesion, braked mass, constant rates, the dwell at each stop), held also
// to the curves' speeds, times the run from the first station's departure; between two timed
// stations the run is stretched to the timetable and the margin is the "Rec" of the section.
#include <algorithm>
#include <cmath>

#include "format/constants.h"
#include "scenario_tool/check/line_checks.h"
#include "scenario_tool/check/running_line.h"
#include "scenario_tool/check/timetable.h"
#include "scenario_tool/documents/placed_row.h"

namespace scenario::tool {

namespace {

constexpr std::int64_t kDay = 24 * 3600;

// The model's run from the first row's boundary: seconds running to each boundary (without the
// stops' waits), the wait at each boundary and the top speed in each cell.
struct ModelRun {
  std::int64_t first = 0;
  std::vector<double> clock;
  std::vector<double> standing_s;
  std::vector<double> top_kmh;

  std::size_t at(std::int64_t boundary) const {
    const auto b = static_cast<std::size_t>(std::max<std::int64_t>(boundary - first, 0));
    return std::min(b, clock.size() - 1);
  }
};

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

ModelRun run_model(const std::vector<PlacedRow>& rows, const Scenario& scenario,
                   const std::vector<TrackCell>& track, const DocumentOptions& o) {
  const std::int64_t first = rows.front().boundary;
  const std::int64_t last = std::max(first, rows.back().boundary);
  const double braked =
      braked_mass_or_default(scenario.header ? scenario.header->braked_mass_percent : 0);
  const TrainFigures train{o.accel_m_s2, o.decel_m_s2, braked, static_cast<double>(o.dwell_s)};
  RunningTimeInput in = running_input(track, cell_speeds_kmh(scenario, track), first, last, train);
  in.stop.front() = true;
  in.stop.back() = true;
  for (const PlacedRow& p : rows) {
    if (p.row.kind == RowKind::stop && p.boundary >= first && p.boundary <= last) {
      in.stop[static_cast<std::size_t>(p.boundary - first)] = true;
    }
  }
  const CellTimes times = running_times(in);
  ModelRun run{first, {0.0}, times.standing_s, {}};
  for (double t : times.estimate) run.clock.push_back(run.clock.back() + t);
  for (double v : times.top_m_s) run.top_kmh.push_back(v * 3.6);
  return run;
}

// The scheduled time nearest `near`, whole days apart.
std::int64_t unwrapped(std::int64_t scheduled, std::int64_t near) {
  while (scheduled < near - kDay / 2) scheduled += kDay;
  while (scheduled > near + kDay / 2) scheduled -= kDay;
  return scheduled;
}

bool is_target(const PlacedRow& p) {
  return p.row.kind == RowKind::stop || (p.row.kind == RowKind::arrival && p.scheduled_s != 0);
}

double clock_at(const PlacedRow& p, const ModelRun& run) { return run.clock[run.at(p.boundary)]; }

// Times the rows after `from` up to `to` over a run of `stretch` times the model's.
void time_section(std::vector<PlacedRow>& rows, std::size_t from, std::size_t to,
                  std::int64_t leave, double stretch, const ModelRun& run) {
  const double at_leave = clock_at(rows[from], run);
  for (std::size_t j = from + 1; j <= to; ++j) {
    const double t = (clock_at(rows[j], run) - at_leave) * stretch;
    if (!std::isfinite(t)) return;  // past a cell without a speed limit
    rows[j].row.arrival_s = leave + static_cast<std::int64_t>(round_half_even(t));
  }
}

// Half minutes, halves to even; none when it comes to none.
std::optional<std::int32_t> half_minutes(double seconds) {
  const auto halves = static_cast<std::int32_t>(round_half_even(seconds / 30.0));
  if (halves <= 0) return std::nullopt;
  return halves;
}

// Between two stations with a time the model is stretched to fill the schedule, so a timed
// station keeps its time and the places between share the margin; a schedule shorter than the
// model makes the train late, and it leaves after its dwell.
void time_rows(std::vector<PlacedRow>& rows, const ModelRun& run, std::int64_t start) {
  rows.front().row.departure_s = start;
  std::int64_t leave = start;
  std::size_t from = 0;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    if (!is_target(rows[i]) && i + 1 < rows.size()) continue;
    const double t = clock_at(rows[i], run) - clock_at(rows[from], run);
    if (!std::isfinite(t)) {
      // A cell without a speed limit: the rows before it at the model's times, none after.
      time_section(rows, from, i, leave, 1.0, run);
      return;
    }
    double stretch = 1.0;
    const bool stop = rows[i].row.kind == RowKind::stop;
    const auto dwell =
        static_cast<std::int64_t>(round_half_even(run.standing_s[run.at(rows[i].boundary)]));
    if (is_target(rows[i])) {
      const auto estimate = leave + static_cast<std::int64_t>(round_half_even(t));
      const std::int64_t target = unwrapped(rows[i].scheduled_s, estimate) - (stop ? dwell : 0);
      const auto margin = static_cast<double>(target - leave) - t;
      if (t > 0.0 && margin > 0.0) stretch = static_cast<double>(target - leave) / t;
      rows[i].row.recovery_half_min = half_minutes(margin);
      rows[i].late_s = std::max(0.0, -margin);
    }
    time_section(rows, from, i, leave, stretch, run);
    if (stop) {
      const std::int64_t arrival = *rows[i].row.arrival_s;
      rows[i].row.departure_s = std::max(arrival + dwell, unwrapped(rows[i].scheduled_s, arrival));
      leave = *rows[i].row.departure_s;
      from = i;
    }
  }
}

// The top speed of the model from each row to the next (the cell after the row when they share
// a boundary); none on the last row and where the line cannot be driven.
void set_running_speeds(std::vector<PlacedRow>& rows, const ModelRun& run) {
  for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
    const std::size_t from = run.at(rows[i].boundary);
    const std::size_t to = std::max(from + 1, run.at(rows[i + 1].boundary));
    double top = 0.0;
    for (std::size_t c = from; c < to && c < run.top_kmh.size(); ++c) {
      top = std::max(top, run.top_kmh[c]);
    }
    const SheetRow& r = rows[i].row;
    if (top > 0.0 && (r.departure_s || r.arrival_s)) {
      rows[i].row.running_kmh = static_cast<std::int32_t>(round_half_even(top));
    }
  }
}

}  // namespace

void time_placed_rows(std::vector<PlacedRow>& rows, const Scenario& scenario,
                      const std::vector<TrackCell>& track, std::int64_t start,
                      const DocumentOptions& options) {
  const ModelRun run = run_model(rows, scenario, track, options);
  time_rows(rows, run, start);
  set_running_speeds(rows, run);
}

}  // namespace scenario::tool
