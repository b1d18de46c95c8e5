#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <string>

#include "format/byte_reader.h"
#include "format/decode.h"
#include "format/file_limits.h"
#include "format/line_file_values.h"

namespace scenario {

namespace {

using Tag = LineValue::Tag;

// The bytes that follow each tag, and its name in the messages.
struct TagFacts {
  Tag tag;
  std::size_t payload_size;
  const char* name;
};

constexpr std::array kTagFacts{
    TagFacts{Tag::integer, 2, "integer"},
    TagFacts{Tag::real, 8, "double"},
    TagFacts{Tag::empty, 0, "empty"},
};

const TagFacts& tag_facts(Tag tag) {
  return *std::find_if(kTagFacts.begin(), kTagFacts.end(),
                       [tag](const TagFacts& f) { return f.tag == tag; });
}

std::size_t payload_size(Tag tag) { return tag_facts(tag).payload_size; }

const char* tag_name(Tag tag) { return tag_facts(tag).name; }

// Reads the value at the reader's offset. `index` counts the values from 0, for the messages.
std::variant<LineValue, DecodeError> read_value(ByteReader& in, std::size_t index) {
  const std::size_t at = in.offset();
  // Built only for a message: a long line has millions of values.
  const auto which = [&] {
    return "value " + std::to_string(index) + " (at byte " + std::to_string(at) + ")";
  };
  const auto raw = in.integer<std::uint16_t>();
  if (!raw) {
    return DecodeError{at, which() + " is cut short: its 2-byte tag has " +
                               std::to_string(in.remaining()) + " byte left"};
  }
  // Checked on the full 16 bits: the tag type is one byte wide, and 0x8000 must not pass as 0.
  if (*raw != static_cast<std::uint16_t>(Tag::empty) &&
      *raw != static_cast<std::uint16_t>(Tag::integer) &&
      *raw != static_cast<std::uint16_t>(Tag::real)) {
    return DecodeError{at, which() + " has the bad tag " + std::to_string(*raw) +
                               " (0 empty, 2 integer or 5 double expected)"};
  }
  const auto tag = static_cast<Tag>(*raw);
  if (in.remaining() < payload_size(tag)) {
    return DecodeError{in.offset(), which() + " is cut short: its " + tag_name(tag) + " needs " +
                                        std::to_string(payload_size(tag)) + " bytes, " +
                                        std::to_string(in.remaining()) + " left"};
  }
  if (tag == Tag::integer) return LineValue::integer(*in.integer<std::int16_t>());
  if (tag == Tag::real) return LineValue::real(*in.real());
  return LineValue();
}

// The tag at byte `at`, which must have two bytes.
std::uint16_t tag_at(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at]) |
                                    static_cast<std::uint8_t>(bytes[at + 1]) << 8);
}

// Walks every value once to check the file and count them, before anything is allocated. A line
// holds millions of values: each is only stepped over here, and read_value is asked only for the
// one that fails, to tell why.
std::variant<std::size_t, DecodeError> count_values(std::string_view bytes) {
  std::size_t count = 0;
  std::size_t at = 0;
  while (at < bytes.size()) {
    std::size_t step = 0;
    if (bytes.size() - at >= 2) {
      const std::uint16_t raw = tag_at(bytes, at);
      if (raw == static_cast<std::uint16_t>(Tag::empty)) step = 2;
      if (raw == static_cast<std::uint16_t>(Tag::integer)) step = 4;
      if (raw == static_cast<std::uint16_t>(Tag::real)) step = 10;
    }
    if (step == 0 || bytes.size() - at < step) {
      ByteReader in(bytes);
      in.take(at);
      return std::get<DecodeError>(read_value(in, count));
    }
    at += step;
    ++count;
  }
  return count;
}

// The byte after the first `n` values, each only stepped over.
std::size_t skip_values(std::string_view bytes, std::int64_t n) {
  std::size_t at = 0;
  for (std::int64_t k = 0; k < n; ++k) {
    const std::uint16_t raw = tag_at(bytes, at);
    at += raw == static_cast<std::uint16_t>(Tag::real)      ? 10
          : raw == static_cast<std::uint16_t>(Tag::integer) ? 4
                                                            : 2;
  }
  return at;
}

}  // namespace

Decoded<LineFileLayout> scan_line_file(std::string_view bytes) {
  if (bytes.empty()) return DecodeError{0, "empty line file: it holds no value"};
  if (bytes.size() > max_line_file_bytes) {
    return DecodeError{static_cast<std::size_t>(max_line_file_bytes),
                       "the file holds " + std::to_string(bytes.size()) + " bytes, more than the " +
                           std::to_string(max_line_file_bytes) +
                           " a line of the longest route the compiler takes can fill"};
  }
  auto counted = count_values(bytes);
  if (auto* error = std::get_if<DecodeError>(&counted)) return std::move(*error);
  const std::size_t count = std::get<std::size_t>(counted);
  if (count % 2 != 0) {
    return DecodeError{bytes.size(), "the file holds " + std::to_string(count) +
                                         " values, an odd number: its two coordinate halves "
                                         "cannot be of equal length"};
  }
  const auto rows = static_cast<std::int64_t>(count / 2);
  if (rows > max_line_rows) {
    return DecodeError{bytes.size(), "the file holds " + std::to_string(rows) +
                                         " rows, more than the " + std::to_string(max_line_rows) +
                                         " metres of the longest route the compiler takes"};
  }
  return LineFileLayout{rows, skip_values(bytes, rows)};
}

Decoded<LineGeometry> decode_line_file(std::string_view bytes) {
  auto scanned = scan_line_file(bytes);
  if (!scanned.ok()) return scanned.error();
  const LineFileLayout layout = scanned.value();
  LineGeometry geometry(layout.rows - 1);
  std::size_t at = 0;
  for (int coord = 0; coord < 2; ++coord) {
    for (std::int64_t m = 0; m < layout.rows; ++m) {
      geometry.set(m, coord, checked_line_value(bytes, at));
    }
  }
  return geometry;
}

}  // namespace scenario
