// Which field of which fixed table entry holds each value of the scenario's header: written once
// here, for the reader that stores them, the checks and the decoders that read them back.
// Each accessor takes a SimTable or a const SimTable and gives a reference of the same constness.
#pragma once

#include <cstdint>

#include "format/constants.h"
#include "format/model.h"

namespace scenario::entries {

// Entry 84, the train: the route length (m), the braked mass (%) and the coaches.
template <class Table>
auto& route_length_m(Table& t) {
  return t[table_entry::train].end_m;
}
template <class Table>
auto& braked_mass_percent(Table& t) {
  return t[table_entry::train].start_m;
}
template <class Table>
auto& coaches(Table& t) {
  return t[table_entry::train].pos_m;
}

// Entry 85, the route: its id, the three backgrounds, the header value and the code "st".
template <class Table>
auto& route_id(Table& t) {
  return t[table_entry::route].name;
}
template <class Table>
auto& background_one(Table& t) {
  return t[table_entry::route].start_m;
}
template <class Table>
auto& background_two(Table& t) {
  return t[table_entry::route].pos_m;
}
template <class Table>
auto& background_three(Table& t) {
  return t[table_entry::route].end_m;
}
template <class Table>
auto& header_value(Table& t) {
  return t[table_entry::route].d2a;
}
template <class Table>
auto& competition_code_st(Table& t) {
  return t[table_entry::route].time_s;
}

// Entry 86: the train number, the repetition of the codes (from, to in m, 4 or 9 codes), the
// sand and the clock at the start (hours, minutes, seconds).
template <class Table>
auto& train_number(Table& t) {
  return t[table_entry::codes].name;
}
template <class Table>
auto& repetition_start_m(Table& t) {
  return t[table_entry::codes].start_m;
}
template <class Table>
auto& repetition_end_m(Table& t) {
  return t[table_entry::codes].end_m;
}
template <class Table>
auto& repetition_code_count(Table& t) {
  return t[table_entry::codes].pos_m;
}
// The two counts a code repetition can have; 0 with an end of 0 is none.
inline constexpr std::int32_t repetition_four_codes = 4;
inline constexpr std::int32_t repetition_nine_codes = 9;
template <class Table>
auto& sand(Table& t) {
  return t[table_entry::codes].d2a;
}
template <class Table>
auto& clock_hours(Table& t) {
  return t[table_entry::codes].d1b;
}
template <class Table>
auto& clock_minutes(Table& t) {
  return t[table_entry::codes].d2b;
}
template <class Table>
auto& clock_seconds(Table& t) {
  return t[table_entry::codes].d3b;
}

}  // namespace scenario::entries
