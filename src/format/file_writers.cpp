#include "format/file_writers.h"

#include <bit>
#include <stdexcept>

#include "format/little_endian.h"
#include "format/windows1252.h"

namespace scenario {

std::string write_track_file(const std::vector<TrackCell>& track) {
  std::string out;
  out.reserve(track.size() * track_record_size);
  for (const TrackCell& c : track) {
    put_le(out, c.kind);
    put_le(out, c.value1);
    put_le(out, c.value2);
    put_le(out, c.value3);
    put_le(out, c.value4);
    put_le(out, c.signal_time);
    put_le(out, c.approach_code);
    put_le(out, c.tunnel_type);
    put_le(out, c.speed_div5);
    put_le(out, c.gradient_100);
    put_le(out, c.adhesion);
  }
  return out;
}

std::string write_table_file(const SimTable& table) {
  std::string out;
  for (const SimRecord& r : table) {
    const std::string name = to_windows1252(r.name);
    if (name.size() > 0xFFFF) throw std::length_error("a table name longer than 65535 bytes");
    put_le(out, r.kind);
    put_le(out, r.start_m);
    put_le(out, r.end_m);
    put_le(out, r.pos_m);
    put_le(out, r.tps);
    put_le(out, static_cast<std::uint16_t>(name.size()));
    out += name;
    put_le(out, r.d2a);
    put_le(out, r.d3a);
    put_le(out, r.d1b);
    put_le(out, r.d2b);
    put_le(out, r.d3b);
    put_le(out, r.rap);
    put_le(out, r.ac);
    put_le(out, r.mar);
    put_le(out, r.tab);
    put_le(out, r.time_s);
  }
  return out;
}

namespace {

std::size_t value_size(LineValue::Tag tag) {
  switch (tag) {
    case LineValue::Tag::integer:
      return 4;
    case LineValue::Tag::real:
      return 10;
    case LineValue::Tag::empty:
      break;
  }
  return 2;
}

// Stores `bytes` little-endian bytes of v at p.
void store_le(char* p, std::uint64_t v, int bytes) {
  for (int k = 0; k < bytes; ++k) {
    p[k] = static_cast<char>(static_cast<std::uint8_t>(v & 0xFFu));
    v >>= 8;
  }
}

}  // namespace

std::string write_line_file(const LineGeometry& geometry) {
  // The file is over a megabyte for an ordinary line: size it once and fill it in place.
  const auto& tags = geometry.tags();
  const auto& numbers = geometry.numbers();
  const std::size_t rows = tags.size() / 2;
  std::size_t size = 0;
  for (auto tag : tags) size += value_size(tag);
  std::string out(size, '\0');
  char* p = out.data();
  for (std::size_t coord = 0; coord < 2; ++coord) {
    for (std::size_t row = 0; row < rows; ++row) {
      const std::size_t i = row * 2 + coord;
      const auto tag = tags[i];
      store_le(p, static_cast<std::uint16_t>(tag), 2);
      p += 2;
      if (tag == LineValue::Tag::integer) {
        store_le(p, static_cast<std::uint16_t>(static_cast<std::int16_t>(numbers[i])), 2);
        p += 2;
      } else if (tag == LineValue::Tag::real) {
        store_le(p, std::bit_cast<std::uint64_t>(numbers[i]), 8);
        p += 8;
      }
    }
  }
  return out;
}

}  // namespace scenario
