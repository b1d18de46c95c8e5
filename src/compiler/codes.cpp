#include "compiler/codes.h"

#include <array>

namespace scenario {

namespace {

constexpr std::array<ErrorInfo, 28> kRegistry{{
    {101, "reader", "the line description source is not found"},
    {102, "reader", "the line description source ends before its [generale] section"},
    {1, "reader", "the route length exceeds 1000000"},
    {3, "reader", "the start of the code repetition stretch is not a multiple of 50"},
    {4, "reader", "the end of the code repetition stretch is not a multiple of 50"},
    {5, "reader", "the code repetition item names neither 4 nor 9 codes"},
    {103, "reader",
     "a curve item has no class digit 1 to 6, or the line geometry passes 1000000 metres"},
    {15, "reader", "a feature lies beyond the end of the track"},
    {6, "reader", "a signboard's cell is already taken"},
    {7, "reader", "a code cut's cell is already taken"},
    {8, "reader", "a station position is not a multiple of 50"},
    {9, "reader", "a station length is not a multiple of 100"},
    {24, "reader", "a station's stop cell lies too near the start of the track"},
    {22, "reader", "a station starts less than 350 m after the end of the previous one"},
    {10, "reader", "too many stations for the table"},
    {2, "reader", "a kilometre point value is not a multiple of 50"},
    {25, "reader",
     "run-time failure while reading (a value that is not a number or does not fit, a record "
     "cut short, a feature outside the track or the table)"},
    {16, "memo_segnale", "a signal's cell is already taken"},
    {17, "memo_rallentamento", "a slowdown's warning cell is already taken"},
    {18, "memo_rallentamento", "a slowdown's start cell is already taken"},
    {19, "memo_rallentamento", "a slowdown's end cell is already taken"},
    {20, "memo_rallentamento", "a slowdown's announce cells are already taken"},
    {21, "memo_indicatori_v_max", "a speed indicator board's cell is already taken"},
    {11, "finishing pass",
     "no free cell for the marker before a signal that precedes a slowdown warning"},
    {12, "finishing pass",
     "no free cell for a marker at one of the three distances before a slowdown start"},
    {13, "finishing pass",
     "no free cell for a marker inside a slowdown or before the signal after it"},
    {1250, "finishing pass",
     "a header slot (entry 85 d2a or track cell 1 value1) is already taken"},
    {1251, "finishing pass",
     "a competition-code slot (entry 85 time_s or track cell 1 value2) is already taken"},
}};

}  // namespace

std::span<const ErrorInfo> error_registry() { return kRegistry; }

std::string_view error_meaning(std::int32_t code) {
  for (const auto& e : kRegistry) {
    if (e.code == code) return e.meaning;
  }
  return "unknown error code";
}

}  // namespace scenario
