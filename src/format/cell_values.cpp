#include "format/cell_values.h"

#include "format/constants.h"

namespace scenario {

namespace {

// Cell fields keep the low bits of whatever the arithmetic gives; the arithmetic itself is done
// in 64 bits so that no input can overflow it.
std::int16_t low16(std::int64_t v) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(v));
}

std::int16_t pair(std::int64_t tens, std::int64_t units) { return low16(tens * 10 + units); }

std::int32_t tens(std::int16_t v) { return v / 10; }
std::int32_t units(std::int16_t v) { return v % 10; }

std::int16_t board_value(std::int32_t left, std::int32_t right) {
  return low16(static_cast<std::int64_t>(
      round_half_even(static_cast<double>(right) / 5.0 + static_cast<double>(left) * 20.0)));
}

std::int32_t board_left(std::int16_t v) { return v / 100 * 5; }
std::int32_t board_right(std::int16_t v) { return v % 100 * 5; }

}  // namespace

std::int64_t signal_side_code(const SignalValues& v) { return std::int64_t{v.sx} * 3 + v.dx; }

void pack_signal(TrackCell& cell, const SignalValues& v) {
  cell.value4 = pair(v.rapp, signal_side_code(v));
  cell.value1 = pair(v.s1, v.d1);
  cell.value2 = pair(v.s2, v.d2);
  cell.value3 = pair(v.s3, v.d3);
}

SignalValues unpack_signal(const TrackCell& c) {
  const std::int32_t sides = units(c.value4);
  return SignalValues{.sx = sides / 3,
                      .s1 = tens(c.value1),
                      .s2 = tens(c.value2),
                      .s3 = tens(c.value3),
                      .rapp = tens(c.value4),
                      .dx = sides % 3,
                      .d1 = units(c.value1),
                      .d2 = units(c.value2),
                      .d3 = units(c.value3)};
}

void pack_board(TrackCell& cell, const BoardValues& v) {
  cell.value1 = board_value(v.vas, v.vad);
  cell.value2 = board_value(v.vbs, v.vbd);
  cell.value3 = board_value(v.vcs, v.vcd);
  cell.value4 = pair(v.strisces, v.strisced);
}

BoardValues unpack_board(const TrackCell& c) {
  return BoardValues{.vas = board_left(c.value1),
                     .vbs = board_left(c.value2),
                     .vcs = board_left(c.value3),
                     .strisces = tens(c.value4),
                     .vad = board_right(c.value1),
                     .vbd = board_right(c.value2),
                     .vcd = board_right(c.value3),
                     .strisced = units(c.value4)};
}

std::optional<int> gradient_per_mille(const TrackCell& cell) {
  if (cell.gradient_100 == 0) return std::nullopt;
  return cell.gradient_100 - gradient_base;
}

int speed_limit_kmh(const TrackCell& cell) { return cell.speed_div5 * speed_step_kmh; }

}  // namespace scenario
