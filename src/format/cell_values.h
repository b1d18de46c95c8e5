// How a feature's values are packed into the 16-bit values of its track cell, and unpacked again:
// one place for the arithmetic that the recorders write and the decoders read.
#pragma once

#include <cstdint>
#include <optional>

#include "format/model.h"

namespace scenario {

// A signal's two sides as its record gives them: the left side `sx` with its three aspects and
// the repeater flag `rapp`, the right side `dx` with its three aspects.
struct SignalValues {
  std::int32_t sx = 0;
  std::int32_t s1 = 0;
  std::int32_t s2 = 0;
  std::int32_t s3 = 0;
  std::int32_t rapp = 0;
  std::int32_t dx = 0;
  std::int32_t d1 = 0;
  std::int32_t d2 = 0;
  std::int32_t d3 = 0;

  bool operator==(const SignalValues&) const = default;
};

// value4 = rapp × 10 + sx × 3 + dx; value1, value2, value3 = s1, s2, s3 × 10 + d1, d2, d3. Each
// keeps the low 16 bits of the exact sum.
void pack_signal(TrackCell& cell, const SignalValues& v);
// The digits back, by tens and units (and the sides by threes); exact for sides 0 to 2, aspects
// and flag 0 to 9.
SignalValues unpack_signal(const TrackCell& cell);
// sx × 3 + dx: the side code that a signal's approach codes carry in their tens.
std::int64_t signal_side_code(const SignalValues& v);

// A speed indicator board: the left-hand (`s`) and right-hand (`d`) speeds in km/h of the speed
// categories a, b and c, and the stripes of each side.
struct BoardValues {
  std::int32_t vas = 0;
  std::int32_t vbs = 0;
  std::int32_t vcs = 0;
  std::int32_t strisces = 0;
  std::int32_t vad = 0;
  std::int32_t vbd = 0;
  std::int32_t vcd = 0;
  std::int32_t strisced = 0;

  bool operator==(const BoardValues&) const = default;
};

// value1, value2, value3 = round(right / 5 + left × 20) for categories a, b, c, that is
// 100 × (left / 5) + right / 5 for speeds in steps of 5; value4 = stripes left × 10 + right.
void pack_board(TrackCell& cell, const BoardValues& v);
// Exact for speeds in steps of 5, right-hand speeds below 500 km/h and stripes 0 to 9.
BoardValues unpack_board(const TrackCell& cell);

// The gradient of a cell in per mille; none where the byte was never written.
std::optional<int> gradient_per_mille(const TrackCell& cell);
// The line speed limit of a cell in km/h.
int speed_limit_kmh(const TrackCell& cell);

}  // namespace scenario
