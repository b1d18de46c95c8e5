#include "compiler/file_writers.h"

#include <stdexcept>

#include "compiler/little_endian.h"
#include "compiler/windows1252.h"

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

void put_value(std::string& out, const LineValue& v) {
  put_le(out, static_cast<std::uint16_t>(v.tag()));
  switch (v.tag()) {
    case LineValue::Tag::integer:
      put_le(out, static_cast<std::int16_t>(v.number()));
      break;
    case LineValue::Tag::real:
      put_double_le(out, v.number());
      break;
    case LineValue::Tag::empty:
      break;
  }
}

}  // namespace

std::string write_line_file(const LineGeometry& geometry) {
  std::string out;
  const std::int64_t rows = geometry.last_m() + 1;
  out.reserve(static_cast<std::size_t>(rows) * 2 * 10);
  for (int coord = 0; coord < 2; ++coord) {
    for (std::int64_t m = 0; m < rows; ++m) put_value(out, geometry.at(m, coord));
  }
  return out;
}

}  // namespace scenario
