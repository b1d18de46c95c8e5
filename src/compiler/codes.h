// Every code the compiler can record, with who raises it and what it means: the one list that the
// reader, the recorders, the finishing pass, `errore` and the diagnostics all use.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace scenario {

enum class Code : std::int32_t {
  none = 0,
  route_too_long = 1,
  km_point = 2,
  repeat_start = 3,
  repeat_end = 4,
  repeat_codes = 5,
  sign_taken = 6,
  cut_taken = 7,
  station_position = 8,
  station_length = 9,
  too_many_stations = 10,
  no_room_before_signal = 11,
  no_room_in_band = 12,
  no_room_inside_or_after = 13,
  beyond_track = 15,
  signal_taken = 16,
  warning_taken = 17,
  start_taken = 18,
  end_taken = 19,
  announce_taken = 20,
  board_taken = 21,
  station_spacing = 22,
  stop_too_near = 24,
  failure = 25,
  no_line_source = 101,
  no_general = 102,
  bad_curve = 103,
  header_slot_taken = 1250,
  code_slot_taken = 1251,
};

// The number a code is known by, in messages and in the exit reports.
constexpr std::int32_t number(Code code) { return static_cast<std::int32_t>(code); }
std::string to_string(Code code);

struct CodeInfo {
  Code code;
  std::string_view raised_by;
  std::string_view meaning;
};

// Every code but `none`, each once.
std::span<const CodeInfo> all_codes();

// The meaning of a code, or "unknown error code" for a number that is no code.
std::string_view code_meaning(Code code);

}  // namespace scenario
