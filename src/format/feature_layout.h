// Where the recorders put the cells of a feature relative to its position, and the few values they
// change on the way: one place that the compiler writes by and the decompiler reads back by.
#pragma once

#include <cstdint>

#include "format/constants.h"

namespace scenario::layout {

// A slowdown starting at or before this position has neither warning nor announce cells.
inline constexpr std::int32_t warning_threshold_m = 1500;
// The warning lies this far before the start of the slowdown...
inline constexpr std::int32_t warning_distance_m = 1200;
// ...that is this many cells before the start cell, and the first announce cell one more.
inline constexpr std::int64_t warning_cells_before = warning_distance_m / cell_metres;
inline constexpr std::int64_t announce_cells_before = warning_cells_before + 1;
// The announce cells run backwards from there, ordered 1 (nearest the warning) to 4.
inline constexpr int announce_cells = 4;

// A tunnel starting within this many metres of the end of the one before it takes this type.
inline constexpr std::int64_t adjacent_tunnel_gap_m = 150;
inline constexpr std::int32_t adjacent_tunnel_type = 3;
// A tunnel type above this asks for markers; the type stored is the rest.
inline constexpr std::int32_t tunnel_marker_type_offset = 10;
// Every this many cells of a tunnel with markers, a free cell becomes a marker.
inline constexpr int tunnel_marker_spacing = 4;

// A signal time of 1 to this many seconds is stored as one more.
inline constexpr std::int32_t signal_time_raised_up_to = 100;

// A kilometre point whose pos_m is this gets this much added to its end after the sort.
inline constexpr std::int32_t km_point_long_end_mark = 1;
inline constexpr std::int32_t km_point_long_end_extra = 100;

}  // namespace scenario::layout
