// Where the sheet's rows are: the stations, the changes of the line speed limit, the signal that
// protects each stop and the km posts a driver counts where nothing else is told.
#include <algorithm>
#include <cstdlib>

#include "format/constants.h"
#include "scenario_tool/documents/layout.h"
#include "scenario_tool/documents/placed_row.h"

namespace scenario::tool {

namespace {

// The signal a driver expects before a stop: the last one within this distance of it.
constexpr std::int64_t kProtectionReach = 2000;
// A km post every this many metres where no row lies within half of it.
constexpr std::int64_t kPostEvery = 10000;

std::int64_t boundary_of(const Station& s, const std::vector<TrackCell>& track) {
  const std::int64_t b =
      stops_at(s) && s.stop_cell
          ? *s.stop_cell
          : static_cast<std::int64_t>(round_half_even(s.position_m / double(cell_metres)));
  return std::clamp<std::int64_t>(b, 0, static_cast<std::int64_t>(track.size()));
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
        {boundary_of(s, track), {kind, s.position_m, s.name, {}, {}, {}, {}, {}}, s.time_s});
  }
  return rows;
}

std::string post_place(std::int64_t position_m) {
  if (position_m % 1000 == 0) return "Cippo chilometro " + km_figure(position_m);
  return "Km " + km_figure(position_m);
}

void sort_rows(std::vector<PlacedRow>& rows) {
  std::stable_sort(rows.begin(), rows.end(), [](const PlacedRow& a, const PlacedRow& b) {
    return a.row.position_m < b.row.position_m;
  });
}

// The protection signal of each stop after the first, named after the stop.
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
                    {RowKind::signal,
                     last->position_m,
                     "Seg. protezione " + lettered(s.name),
                     {},
                     {},
                     {},
                     {},
                     {}},
                    0});
  }
  sort_rows(rows);
}

// A change of the limit within a cell of a station or a signal is told on that row, as the
// generator's sheet tells the limit on the signal's row.
void add_speed_changes(const Scenario& scenario, std::vector<PlacedRow>& rows) {
  const std::int64_t first = rows.front().row.position_m;
  const std::int64_t last = rows.back().row.position_m;
  rows.front().row.limit_kmh = limit_at(scenario, first);
  for (const Run& r : scenario.speed_limits_kmh) {
    if (!r.value || *r.value <= 0 || r.start_m <= first || r.start_m >= last) continue;
    auto near = std::find_if(rows.begin(), rows.end(), [&](const PlacedRow& p) {
      return p.row.kind != RowKind::speed_change && !p.row.limit_kmh &&
             std::llabs(p.row.position_m - r.start_m) <= cell_metres;
    });
    if (near != rows.end()) {
      near->row.limit_kmh = *r.value;
      continue;
    }
    rows.push_back(
        {r.start_m / cell_metres,
         {RowKind::speed_change, r.start_m, post_place(r.start_m), *r.value, {}, {}, {}, {}},
         0});
  }
  sort_rows(rows);
}

// A post at each multiple of kPostEvery with no other row within half of it, so a long stretch
// without a station or a change still has a place to read the time at.
void add_km_posts(const std::vector<TrackCell>& track, std::vector<PlacedRow>& rows) {
  const std::int64_t first = rows.front().row.position_m;
  const std::int64_t last = rows.back().row.position_m;
  const auto cells = static_cast<std::int64_t>(track.size());
  std::vector<PlacedRow> posts;
  for (std::int64_t m = (first / kPostEvery + 1) * kPostEvery; m < last; m += kPostEvery) {
    const bool near = std::any_of(rows.begin(), rows.end(), [&](const PlacedRow& p) {
      return std::llabs(p.row.position_m - m) < kPostEvery / 2;
    });
    if (near) continue;
    posts.push_back({std::clamp<std::int64_t>(m / cell_metres, 0, cells),
                     {RowKind::km_post, m, post_place(m), {}, {}, {}, {}, {}},
                     0});
  }
  rows.insert(rows.end(), posts.begin(), posts.end());
  sort_rows(rows);
}

}  // namespace

std::vector<Station> stations_in_line_order(const Scenario& scenario) {
  std::vector<Station> stations = scenario.stations;
  std::stable_sort(stations.begin(), stations.end(),
                   [](const Station& a, const Station& b) { return a.position_m < b.position_m; });
  return stations;
}

std::vector<PlacedRow> placed_rows(const Scenario& scenario, const std::vector<Station>& stations,
                                   const std::vector<TrackCell>& track) {
  std::vector<PlacedRow> rows = station_rows(stations, track);
  add_protection_signals(scenario, stations, rows);
  add_speed_changes(scenario, rows);
  add_km_posts(track, rows);
  return rows;
}

}  // namespace scenario::tool
