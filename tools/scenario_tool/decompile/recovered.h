// The records of the two sources, recovered from the compiled files: what an author would have
// written to get those files, each record with the values the reader needs to land exactly on
// what is stored. The text of the sources is laid out from this, apart from it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "format/cell_values.h"
#include "format/file_names.h"

namespace scenario::tool {

// Files that cannot come from any compile, or that do not belong together: exit 65.
class Unrecoverable : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// From this position on the value holds (a gradient, a speed limit, an adhesion).
struct StretchRecord {
  std::int32_t position = 0;
  std::int32_t value = 0;
};

struct CurveRecord {
  std::int32_t position = 0;  // straight up to here
  std::int32_t length = 0;    // then curved over this many metres
  int curve_class = 1;
  int side = 1;  // +1 "d", -1 "s"
};

struct TunnelRecord {
  std::int32_t inizio = 0;
  std::int32_t fine = 0;
  std::int32_t tipo = 0;
  // A record that marks nothing, only there so that the next tunnel keeps its own type.
  bool spacer = false;
};

struct BoardRecord {
  std::int32_t position = 0;
  BoardValues values;
};

struct SignRecord {
  std::int32_t position = 0;
  std::string text;  // UTF-8
};

struct StationRecord {
  std::int32_t position = 0;
  std::int32_t tipo = 0;
  std::int32_t length = 0;
  std::int32_t tps = 0, tab = 0, mar = 0;
  std::int32_t d2a = 0, d3a = 0, rap = 0, d1b = 0, d2b = 0, d3b = 0, ac = 0;
  std::int32_t hours = 0, minutes = 0, seconds = 0;
  std::string name;  // UTF-8
};

struct SlowdownRecord {
  std::int32_t x = 0, v = 0, l = 0, f_tt = 0, f_ta = 0, d_v = 0;
};

struct SignalRecord {
  std::int32_t position = 0;
  SignalValues values;
  std::int32_t tempo = 0;
  // Read before the stations, whose approach codes replace some of this signal's.
  bool before_stations = false;
};

struct CodeCutRecord {
  std::int32_t position = 0;
  std::int32_t value = 0;
};

// "progressiva chilometrica uno", "due", "tre", in that order.
struct KmPoint {
  std::int32_t a = 0, b = 0, c = 0;
};

struct RecoveredScenario {
  ScenarioNames names;
  bool has_line = false;

  // Line source, general section.
  std::int32_t route_length = 0;
  std::array<KmPoint, 3> km_points{};
  std::int32_t background_one = 0, background_two = 0, background_three = 0;
  std::int32_t repeat_start = 0, repeat_end = 0, repeat_codes = 4;
  // Line records.
  std::vector<StretchRecord> gradients;
  std::vector<CurveRecord> curves;
  std::vector<BoardRecord> boards;
  std::vector<TunnelRecord> tunnels;
  std::vector<SignRecord> signs;  // in the order of their table entries, 80 down
  // Train source.
  std::int32_t coaches = 0, braked_mass = 0, sand = 0;
  std::array<std::int32_t, 3> clock{};
  std::vector<StretchRecord> adhesion;
  std::vector<StretchRecord> speeds;  // km/h
  std::vector<StationRecord> stations;
  std::vector<SlowdownRecord> slowdowns;
  std::vector<SignalRecord> signals;
  std::vector<CodeCutRecord> code_cuts;

  // What the files hold that no source can express, one sentence each.
  std::vector<std::string> unexpressible;
};

}  // namespace scenario::tool
