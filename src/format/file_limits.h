// The largest file of each kind the compiler can write, from the longest route the reader takes.
// The decoders refuse anything beyond (a crafted track file of a million cells would otherwise
// take gigabytes in every verb), and the verbs refuse such a file before reading it.
#pragma once

#include <cstdint>

#include "format/constants.h"

namespace scenario {

// The reader refuses a longer route with code 1 (route_too_long).
inline constexpr std::int64_t longest_route_metres = 1000000;

// The line runs from metre 0 to the route's length plus route_extra_metres: one row a metre.
inline constexpr std::int64_t max_line_rows = longest_route_metres + route_extra_metres + 1;
// Two coordinates a row, each value at most a 2-byte tag and an 8-byte double.
inline constexpr std::uint64_t max_line_file_bytes = 2 * 10 * max_line_rows;

// Cells 0 to round(last metre / 50): 20,141 for the longest route.
inline constexpr std::int64_t max_track_cells =
    (longest_route_metres + route_extra_metres + cell_metres / 2) / cell_metres + 1;
inline constexpr std::uint64_t max_track_file_bytes = max_track_cells * track_record_size;

// Every entry with the longest name its 16-bit length can give.
inline constexpr std::uint64_t max_table_file_bytes =
    std::uint64_t{sim_table_size} * (table_record_fixed_size + 65535);

// The synthetic 1000 km line's source is 112 KB, and one record for every 50 m cell of the longest
// route about 1 MB; a larger source is no scenario, and its diagnostics alone would take seconds.
inline constexpr std::uint64_t max_source_bytes = 4ull << 20;

static_assert(max_track_cells == 20141);

}  // namespace scenario
