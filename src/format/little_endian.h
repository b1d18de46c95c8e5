// Appending numbers to a byte string in little-endian order, one byte at a time.
#pragma once

#include <bit>
#include <cstdint>
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

}  // namespace scenario
