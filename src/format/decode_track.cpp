#include <cstdint>
#include <string>

#include "format/byte_reader.h"
#include "format/constants.h"
#include "format/decode.h"
#include "format/file_limits.h"

namespace scenario {

namespace {

constexpr auto kRecord = static_cast<std::size_t>(track_record_size);

// The size has been checked, so every field of the record is there.
TrackCell read_cell(ByteReader& in) {
  TrackCell c;
  c.kind = *in.integer<std::uint8_t>();
  c.value1 = *in.integer<std::int16_t>();
  c.value2 = *in.integer<std::int16_t>();
  c.value3 = *in.integer<std::int16_t>();
  c.value4 = *in.integer<std::int16_t>();
  c.signal_time = *in.integer<std::uint8_t>();
  c.approach_code = *in.integer<std::uint8_t>();
  c.tunnel_type = *in.integer<std::uint8_t>();
  c.speed_div5 = *in.integer<std::uint8_t>();
  c.gradient_100 = *in.integer<std::uint8_t>();
  c.adhesion = *in.integer<std::uint8_t>();
  return c;
}

}  // namespace

Decoded<std::vector<TrackCell>> decode_track_file(std::string_view bytes) {
  if (bytes.empty()) return DecodeError{0, "empty track file: it holds no cell"};
  const std::size_t whole = bytes.size() / kRecord;
  if (bytes.size() % kRecord != 0) {
    return DecodeError{whole * kRecord,
                       "the file holds " + std::to_string(bytes.size()) +
                           " bytes, not a multiple of the 15-byte cell record: cell " +
                           std::to_string(whole) + " is cut short after " +
                           std::to_string(bytes.size() % kRecord) + " bytes"};
  }
  if (whole > static_cast<std::size_t>(max_track_cells)) {
    return DecodeError{static_cast<std::size_t>(max_track_cells) * kRecord,
                       "the file holds " + std::to_string(whole) + " cells, more than the " +
                           std::to_string(max_track_cells) +
                           " of the longest route the compiler takes (" +
                           std::to_string(longest_route_metres) + " m)"};
  }
  std::vector<TrackCell> track;
  track.reserve(whole);
  ByteReader in(bytes);
  while (!in.at_end()) track.push_back(read_cell(in));
  return track;
}

}  // namespace scenario
