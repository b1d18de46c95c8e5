#include "scenario_tool/scenario/scenario.h"

#include "format/cell_values.h"
#include "format/feature_layout.h"
#include "format/table_entries.h"
#include "scenario_tool/scenario/table_views.h"
#include "scenario_tool/scenario/track_views.h"

namespace scenario::tool {

namespace {

using Track = std::vector<TrackCell>;

KmPointEntry km_point(const SimTable& t, int e) {
  const SimRecord& r = t[static_cast<std::size_t>(e)];
  return KmPointEntry{e, r.start_m, r.end_m, r.pos_m};
}

Header header_of(const SimTable& t) {
  return Header{
      entries::route_id(t),
      entries::train_number(t),
      entries::route_length_m(t),
      entries::braked_mass_percent(t),
      entries::coaches(t),
      entries::sand(t),
      {entries::clock_hours(t), entries::clock_minutes(t), entries::clock_seconds(t)},
      {entries::background_one(t), entries::background_two(t), entries::background_three(t)},
      entries::repetition_start_m(t),
      entries::repetition_end_m(t),
      entries::repetition_code_count(t),
      entries::header_value(t),
      entries::competition_code_st(t),
      {km_point(t, table_entry::km_tre), km_point(t, table_entry::km_due),
       km_point(t, table_entry::km_uno)}};
}

// The first cell of the kind that refers to the table entry, if any.
std::optional<std::int64_t> cell_referring_to(const Track* track, std::uint8_t kind, int e) {
  if (track == nullptr) return std::nullopt;
  for (std::size_t i = 0; i < track->size(); ++i) {
    const TrackCell& c = (*track)[i];
    if (c.kind == kind && c.value1 == e) return static_cast<std::int64_t>(i);
  }
  return std::nullopt;
}

Station station_of(const SimTable& t, int e, const Track* track) {
  const SimRecord& r = t[static_cast<std::size_t>(e)];
  return Station{e,         r.name,  r.kind,   r.pos_m,
                 r.start_m, r.end_m, r.time_s, cell_referring_to(track, cell_kind::station_stop, e),
                 r};
}

Sign sign_of(const SimTable& t, int e, const Track* track) {
  const std::optional<std::int64_t> cell = cell_referring_to(track, cell_kind::signboard, e);
  return Sign{e, t[static_cast<std::size_t>(e)].name, cell,
              cell ? std::optional(cell_start_m(*cell)) : std::nullopt};
}

void add_table(const SimTable& t, const Track* track, Scenario& s) {
  s.header = header_of(t);
  for (int e : station_entries(t)) s.stations.push_back(station_of(t, e, track));
  for (int e : sign_entries(t)) s.signs.push_back(sign_of(t, e, track));
}

bool is_kind(const Track& track, std::int64_t c, std::uint8_t kind) {
  return c >= 0 && c < static_cast<std::int64_t>(track.size()) &&
         track[static_cast<std::size_t>(c)].kind == kind;
}

Slowdown slowdown_from(const Track& track, std::int64_t start) {
  const TrackCell& c = track[static_cast<std::size_t>(start)];
  Slowdown s{cell_start_m(start), std::nullopt, c.value1, c.value2, c.value3, std::nullopt, false};
  for (auto j = start + 1; j < static_cast<std::int64_t>(track.size()); ++j) {
    if (is_kind(track, j, cell_kind::slowdown_start)) break;
    if (!is_kind(track, j, cell_kind::slowdown_end)) continue;
    s.end_m = cell_start_m(j);
    break;
  }
  const std::int64_t warning = start - layout::warning_cells_before;
  if (is_kind(track, warning, cell_kind::slowdown_warning)) s.warning_m = cell_start_m(warning);
  s.announced = is_kind(track, start - layout::announce_cells_before, cell_kind::slowdown_announce);
  return s;
}

void add_feature(const Track& track, std::int64_t i, const SimTable* table, Scenario& s) {
  const TrackCell& c = track[static_cast<std::size_t>(i)];
  const Feature f{i, cell_start_m(i), c.kind, meaning_of(c, table)};
  if (const auto* signal = std::get_if<SignalMeaning>(&f.meaning)) {
    s.signals.push_back({f.position_m, *signal});
  } else if (const auto* board = std::get_if<BoardValues>(&f.meaning)) {
    s.boards.push_back({f.position_m, *board});
  } else if (c.kind == cell_kind::slowdown_start) {
    s.slowdowns.push_back(slowdown_from(track, i));
  }
  s.features.push_back(f);
}

// Consecutive cells with the same byte make one run.
template <class Add>
void runs_of(const Track& track, std::uint8_t TrackCell::*field, Add add) {
  std::size_t first = 0;
  for (std::size_t i = 1; i <= track.size(); ++i) {
    if (i < track.size() && track[i].*field == track[first].*field) continue;
    add(cell_start_m(static_cast<std::int64_t>(first)), cell_start_m(static_cast<std::int64_t>(i)),
        track[first].*field);
    first = i;
  }
}

void add_stretches(const Track& track, Scenario& s) {
  runs_of(track, &TrackCell::gradient_100, [&](auto a, auto b, std::uint8_t byte) {
    s.gradients.push_back({a, b, gradient_per_mille(TrackCell{.gradient_100 = byte})});
  });
  runs_of(track, &TrackCell::speed_div5, [&](auto a, auto b, std::uint8_t byte) {
    s.speed_limits_kmh.push_back({a, b, speed_limit_kmh(TrackCell{.speed_div5 = byte})});
  });
  runs_of(track, &TrackCell::adhesion, [&](auto a, auto b, std::uint8_t byte) {
    s.adhesion.push_back({a, b, byte});
  });
  runs_of(track, &TrackCell::tunnel_type, [&](auto a, auto b, std::uint8_t byte) {
    s.tunnel_types.push_back({a, b, byte});
  });
}

void add_track(const Track& track, const SimTable* table, Scenario& s) {
  s.cell_count = static_cast<std::int64_t>(track.size());
  if (static_cast<std::int64_t>(track.size()) > header_cell) {
    const TrackCell& h = track[static_cast<std::size_t>(header_cell)];
    s.track_header = TrackHeader{h.value1, h.value2};
  }
  for (std::size_t i = 0; i < track.size(); ++i) {
    if (track[i].kind != cell_kind::free)
      add_feature(track, static_cast<std::int64_t>(i), table, s);
    if (track[i].approach_code != 0) {
      const auto cell = static_cast<std::int64_t>(i);
      s.approach_codes.push_back({cell, cell_start_m(cell), track[i].approach_code});
    }
  }
  add_stretches(track, s);
}

}  // namespace

std::array<NamedRuns, 4> named_runs(const Scenario& s) {
  return {NamedRuns{"gradient", &s.gradients}, NamedRuns{"speed_limit_kmh", &s.speed_limits_kmh},
          NamedRuns{"adhesion", &s.adhesion}, NamedRuns{"tunnel_type", &s.tunnel_types}};
}

Scenario decode_scenario(const LoadedScenario& loaded) {
  Scenario s;
  const Track* track = loaded.track ? &*loaded.track : nullptr;
  const SimTable* table = loaded.table ? &*loaded.table : nullptr;
  if (table) add_table(*table, track, s);
  if (track) add_track(*track, table, s);
  if (loaded.line) s.curves = line_curves(*loaded.line);
  return s;
}

}  // namespace scenario::tool
