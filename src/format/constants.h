// The numbers that define the compiled files: the cell size, the record sizes, the fixed entries
// of the table and the header values. Every part of the system takes them from here.
#pragma once

#include <cstdint>

namespace scenario {

// The track is cut into cells of 50 m; a point feature at p metres lies in cell round(p / 50 + 1).
inline constexpr std::int64_t cell_metres = 50;

// The line geometry and the track run on this many metres past the route length.
inline constexpr std::int64_t route_extra_metres = 7000;

// Curvature per metre of the curve classes "1" to "6", widest first. A curve "d" (destra) steps
// with +k, a curve "s" (sinistra) with -k.
inline constexpr double curve_curvature[6] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

// Bytes of one track cell in the track file.
inline constexpr int track_record_size = 15;
// Entries of the station and header table.
inline constexpr int sim_table_size = 87;
// Bytes of one table entry besides its name.
inline constexpr int table_record_fixed_size = 34;

// Cell kinds of a TrackCell.
namespace cell_kind {
inline constexpr std::uint8_t free = 0;
inline constexpr std::uint8_t signal = 1;
inline constexpr std::uint8_t slowdown_end = 2;
inline constexpr std::uint8_t slowdown_start = 3;
inline constexpr std::uint8_t slowdown_warning = 4;
inline constexpr std::uint8_t slowdown_announce = 5;
inline constexpr std::uint8_t speed_board = 6;
inline constexpr std::uint8_t station_stop = 10;
inline constexpr std::uint8_t tunnel_marker = 11;
inline constexpr std::uint8_t code_cut = 12;
inline constexpr std::uint8_t code_cut_zero = 13;
inline constexpr std::uint8_t signboard = 14;
}  // namespace cell_kind

// Entries of SimTable with a fixed meaning.
namespace table_entry {
inline constexpr int first_station = 1;
inline constexpr int first_sign = 80;
inline constexpr int km_tre = 81;
inline constexpr int km_due = 82;
inline constexpr int km_uno = 83;
inline constexpr int train = 84;
inline constexpr int route = 85;
inline constexpr int codes = 86;
}  // namespace table_entry

// The header values: `d2a` of table entry 85 and `value1` of track cell 1 carry them, and the
// competition codes go beside them, into `time_s` of entry 85 and `value2` of cell 1.
inline constexpr std::int64_t header_cell = 1;
inline constexpr std::int16_t table_header_value = 610;
inline constexpr std::int16_t track_header_value = 5121;

// The gradient byte of a cell is the gradient in per mille plus this; 0 means never written.
inline constexpr int gradient_base = 100;
// The speed byte of a cell is the speed limit in km/h divided by this.
inline constexpr int speed_step_kmh = 5;

}  // namespace scenario
