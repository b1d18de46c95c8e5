// The values of a line file read in place, shared by its decoder and by the reader of its steps:
// a long line has millions of values, and the steps need none of them kept.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "format/decode.h"
#include "format/model.h"

namespace scenario {

// Where the two coordinate halves of a checked line file lie.
struct LineFileLayout {
  std::int64_t rows = 0;
  std::size_t y_start = 0;  // byte of the first value of coordinate 1
};

// Checks every value of the file, and that the halves are of equal length, with the errors of
// decode_line_file.
Decoded<LineFileLayout> scan_line_file(std::string_view bytes);

namespace line_file {

// The little-endian number of `n` bytes at byte `at`: on a little-endian host one load, since
// every value of the line passes here.
inline std::uint64_t le_bits(std::string_view bytes, std::size_t at, int n) {
  std::uint64_t u = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&u, bytes.data() + at, static_cast<std::size_t>(n));
  } else {
    for (int k = n; k-- > 0;) {
      u = (u << 8) | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(k)]);
    }
  }
  return u;
}

}  // namespace line_file

// The value at byte `at` of a file that scan_line_file has checked; `at` moves past it.
inline LineValue checked_line_value(std::string_view bytes, std::size_t& at) {
  const auto raw = static_cast<std::uint16_t>(line_file::le_bits(bytes, at, 2));
  if (raw == static_cast<std::uint16_t>(LineValue::Tag::real)) {
    const double v = std::bit_cast<double>(line_file::le_bits(bytes, at + 2, 8));
    at += 10;
    return LineValue::real(v);
  }
  if (raw == static_cast<std::uint16_t>(LineValue::Tag::integer)) {
    const auto v = static_cast<std::int16_t>(line_file::le_bits(bytes, at + 2, 2));
    at += 4;
    return LineValue::integer(v);
  }
  at += 2;
  return LineValue();
}

}  // namespace scenario
