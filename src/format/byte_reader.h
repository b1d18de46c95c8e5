// Reading little-endian numbers from a byte string without ever stepping past its end: every
// read says whether the bytes were there, so that a decoder can report where a file is cut short.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <type_traits>

namespace scenario {

class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

  std::size_t offset() const { return offset_; }
  std::size_t remaining() const { return bytes_.size() - offset_; }
  bool at_end() const { return offset_ == bytes_.size(); }

  // An integer of sizeof(T) bytes; empty, and the offset unchanged, when fewer bytes are left.
  template <typename T>
  std::optional<T> integer() {
    static_assert(std::is_integral_v<T>);
    if (remaining() < sizeof(T)) return std::nullopt;
    using U = std::make_unsigned_t<T>;
    U u = 0;
    for (std::size_t k = sizeof(T); k-- > 0;) {
      u = static_cast<U>((u << 8) | static_cast<std::uint8_t>(bytes_[offset_ + k]));
    }
    offset_ += sizeof(T);
    return static_cast<T>(u);
  }

  std::optional<double> real() {
    const auto bits = integer<std::uint64_t>();
    if (!bits) return std::nullopt;
    return std::bit_cast<double>(*bits);
  }

  // The next n bytes; empty, and the offset unchanged, when fewer are left.
  std::optional<std::string_view> take(std::size_t n) {
    if (remaining() < n) return std::nullopt;
    const std::string_view part = bytes_.substr(offset_, n);
    offset_ += n;
    return part;
  }

 private:
  std::string_view bytes_;
  std::size_t offset_ = 0;
};

}  // namespace scenario
