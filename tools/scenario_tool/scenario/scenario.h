// The decoded scenario as typed values: what every verb reads. It is built once from the loaded
// files; JSON is written from it only where a verb prints JSON.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "format/model.h"
#include "scenario_tool/scenario/cell_meaning.h"
#include "scenario_tool/scenario/curve_views.h"
#include "scenario_tool/scenario/scenario_load.h"

namespace scenario::tool {

// Every position is in metres from the start of the line; a point feature lies at the metre its
// cell begins (cell × 50).

// A kilometre point entry of the table, as stored (sorted by the compiler).
struct KmPointEntry {
  int entry = 0;
  std::int32_t start_m = 0;
  std::int32_t end_m = 0;
  std::int32_t pos_m = 0;
};

// The header values of the table (entries 81 to 86).
struct Header {
  std::string route_id;
  std::string train_number;
  std::int32_t route_length_m = 0;
  std::int32_t braked_mass_percent = 0;
  std::int32_t coaches = 0;
  std::int32_t sand = 0;
  std::array<std::int32_t, 3> clock{};        // hours, minutes, seconds
  std::array<std::int32_t, 3> backgrounds{};  // one, two, three
  std::int32_t repetition_start_m = 0;
  std::int32_t repetition_end_m = 0;
  std::int32_t repetition_codes = 0;      // 4 or 9; 0 for none
  std::int32_t header_value = 0;          // entry 85, table_header_value when compiled
  std::int32_t code_st = 0;               // the competition code "st"
  std::array<KmPointEntry, 3> km_points;  // entries 81, 82, 83
};

// The header values of the track, in cell 1: track_header_value and the competition code "og".
struct TrackHeader {
  std::int16_t value = 0;
  std::int16_t code_og = 0;
};

// A station of the table (entries 1 up), with the cell of its stop when the track has one.
struct Station {
  int entry = 0;
  std::string name;
  int type = 0;
  std::int32_t position_m = 0;
  std::int32_t zone_start_m = 0;
  std::int32_t zone_end_m = 0;
  std::int32_t time_s = 0;  // timetable time, seconds after midnight
  std::optional<std::int64_t> stop_cell;
  SimRecord record;  // the entry itself, for the values that have no name here
};

// A sign text of the table (entries 80 down), placed where a signboard cell refers to it.
struct Sign {
  int entry = 0;
  std::string text;
  std::optional<std::int64_t> cell;
  std::optional<std::int64_t> position_m;
};

// One occupied cell of the track: its kind and what its values mean.
struct Feature {
  std::int64_t cell = 0;
  std::int64_t position_m = 0;
  std::uint8_t kind = cell_kind::free;
  CellMeaning meaning;
};

struct Signal {
  std::int64_t position_m = 0;
  SignalMeaning values;
};

struct Board {
  std::int64_t position_m = 0;
  BoardValues values;
};

// A slowdown from its start cell to the first end cell after it (none when no end follows), with
// its warning and announce cells when the track holds them before the start.
struct Slowdown {
  std::int64_t start_m = 0;
  std::optional<std::int64_t> end_m;
  std::int32_t speed_kmh = 0;
  std::int32_t d_v = 0;
  std::int32_t f_tt = 0;
  std::optional<std::int64_t> warning_m;
  bool announced = false;
};

// Where a property of the line holds one value: from start_m up to end_m (the end of its last
// cell). Only a gradient can be absent, where its byte was never written.
struct Run {
  std::int64_t start_m = 0;
  std::int64_t end_m = 0;
  std::optional<int> value;

  std::int64_t first_cell() const { return start_m / cell_metres; }
  std::int64_t last_cell() const { return end_m / cell_metres - 1; }
};

struct ApproachCode {
  std::int64_t cell = 0;
  std::int64_t position_m = 0;
  int code = 0;
};

struct Scenario {
  std::optional<Header> header;  // with the table file
  std::vector<Station> stations;
  std::vector<Sign> signs;
  // With the track file:
  std::int64_t cell_count = 0;
  std::optional<TrackHeader> track_header;  // none for a track of one cell
  std::vector<Feature> features;            // every occupied cell, in order
  std::vector<Signal> signals;
  std::vector<Board> boards;
  std::vector<Slowdown> slowdowns;
  std::vector<Run> gradients;  // per mille
  std::vector<Run> speed_limits_kmh;
  std::vector<Run> adhesion;
  std::vector<Run> tunnel_types;  // 0 in the open
  std::vector<ApproachCode> approach_codes;
  // With the line file:
  std::optional<LineCurves> curves;
};

// The runs of each property by the name inspect gives it: "gradient", "speed_limit_kmh",
// "adhesion", "tunnel_type", in that order.
struct NamedRuns {
  const char* name;
  const std::vector<Run>* runs;
};
std::array<NamedRuns, 4> named_runs(const Scenario& scenario);

// Decodes what the files hold; a part whose file is absent or damaged stays empty.
Scenario decode_scenario(const LoadedScenario& loaded);

}  // namespace scenario::tool
