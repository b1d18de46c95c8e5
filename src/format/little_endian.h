// Numbers in little-endian order: appended to a byte string one byte at a time, or stored at a
// place in a buffer.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace scenario {

template <typename T>
void put_le(std::string& out, T value) {
  using U = std::make_unsigned_t<T>;
  auto u = static_cast<U>(value);
  for (std::size_t i = 0; i < sizeof(T); ++i) {
    out.push_back(static_cast<char>(static_cast<std::uint8_t>(u & 0xFFu)));
    u = static_cast<U>(u >> 8);
  }
}

inline void put_double_le(std::string& out, double value) {
  put_le(out, std::bit_cast<std::uint64_t>(value));
}

// Stores a value of a fixed width and gives the place after it. The line file has millions of
// values: on a little-endian machine the value's own bytes are already in file order and go in one
// copy, elsewhere byte by byte.
template <typename T>
char* store_le(char* p, T v) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(p, &v, sizeof v);
  } else {
    for (std::size_t k = 0; k < sizeof v; ++k) {
      p[k] = static_cast<char>((static_cast<std::uint64_t>(v) >> (8 * k)) & 0xFFu);
    }
  }
  return p + sizeof v;
}

}  // namespace scenario
