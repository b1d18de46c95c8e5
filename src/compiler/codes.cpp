#include "compiler/codes.h"

#include <array>

namespace scenario {

namespace {

constexpr std::array<CodeInfo, 28> kRegistry{{
    {Code::no_line_source, "reader", "the line description source is not found"},
    {Code::no_general, "reader", "the line description source ends before its [generale] section"},
    {Code::route_too_long, "reader", "the route length exceeds 1000000"},
    {Code::repeat_start, "reader",
     "the start of the code repetition stretch is not a multiple of 50"},
    {Code::repeat_end, "reader", "the end of the code repetition stretch is not a multiple of 50"},
    {Code::repeat_codes, "reader", "the code repetition item names neither 4 nor 9 codes"},
    {Code::bad_curve, "reader",
     "a curve item has no class digit 1 to 6, or the line geometry passes 1000000 metres"},
    {Code::beyond_track, "reader", "a feature lies beyond the end of the track"},
    {Code::sign_taken, "reader", "a signboard's cell is already taken"},
    {Code::cut_taken, "reader", "a code cut's cell is already taken"},
    {Code::station_position, "reader", "a station position is not a multiple of 50"},
    {Code::station_length, "reader", "a station length is not a multiple of 100"},
    {Code::stop_too_near, "reader", "a station's stop cell lies too near the start of the track"},
    {Code::station_spacing, "reader",
     "a station starts less than 350 m after the end of the previous one"},
    {Code::too_many_stations, "reader", "too many stations for the table"},
    {Code::km_point, "reader", "a kilometre point value is not a multiple of 50"},
    {Code::failure, "reader",
     "run-time failure while reading (a value that is not a number or does not fit, a record "
     "cut short, a feature outside the track or the table)"},
    {Code::signal_taken, "memo_segnale", "a signal's cell is already taken"},
    {Code::warning_taken, "memo_rallentamento", "a slowdown's warning cell is already taken"},
    {Code::start_taken, "memo_rallentamento", "a slowdown's start cell is already taken"},
    {Code::end_taken, "memo_rallentamento", "a slowdown's end cell is already taken"},
    {Code::announce_taken, "memo_rallentamento", "a slowdown's announce cells are already taken"},
    {Code::board_taken, "memo_indicatori_v_max", "a speed indicator board's cell is already taken"},
    {Code::no_room_before_signal, "finishing pass",
     "no free cell for the marker before a signal that precedes a slowdown warning"},
    {Code::no_room_in_band, "finishing pass",
     "no free cell for a marker at one of the three distances before a slowdown start"},
    {Code::no_room_inside_or_after, "finishing pass",
     "no free cell for a marker inside a slowdown or before the signal after it"},
    {Code::header_slot_taken, "finishing pass",
     "a header slot (entry 85 d2a or track cell 1 value1) is already taken"},
    {Code::code_slot_taken, "finishing pass",
     "a competition-code slot (entry 85 time_s or track cell 1 value2) is already taken"},
}};

}  // namespace

std::string to_string(Code code) { return std::to_string(number(code)); }

std::span<const CodeInfo> all_codes() { return kRegistry; }

std::string_view code_meaning(Code code) {
  for (const auto& e : kRegistry) {
    if (e.code == code) return e.meaning;
  }
  return "unknown error code";
}

}  // namespace scenario
