// The compiled scenario model: the track, the station and header table and the line geometry.
// The compiler fills it, the file writers write it and the decoders read it back.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "format/constants.h"

namespace scenario {

// One 50 m stretch of the line: cell i runs from i × 50 m. A point feature (its `kind`) takes
// the cell and its four values; the six bytes after them describe the stretch whatever its kind.
struct TrackCell {
  // A cell_kind: free, or the point feature that occupies the cell.
  std::uint8_t kind = cell_kind::free;
  // By kind: signal, aspects s1 × 10 + d1; speed board, category a as round(right / 5 +
  // left × 20) (km/h); slowdown start, end and warning, the speed in km/h; slowdown announce, its
  // order 1 (nearest the warning) to 4; station stop and signboard, the table entry of the station
  // or sign text; code cut, the code. Cell 1 (the header) holds track_header_value.
  std::int16_t value1 = 0;
  // Signal, aspects s2 × 10 + d2; speed board, category b as value1; slowdown cells, d_v (0 when
  // not given); announce, the order again when d_v is not 0. Cell 1 holds the code "og".
  std::int16_t value2 = 0;
  // Signal, aspects s3 × 10 + d3; speed board, category c as value1; slowdown start and end, f_tt.
  std::int16_t value3 = 0;
  // Signal, rapp × 10 + sx × 3 + dx; speed board, stripes left × 10 + right.
  std::int16_t value4 = 0;
  // A signal whose left side sx is 2: its time in seconds (1 to 100 raised to 101), low 8 bits.
  std::uint8_t signal_time = 0;
  // Approach code of a signal or station ahead: side code × 10 + 1 to 4 for a signal (2, 4, 6, 8
  // cells before it), a station's own codes before its far end; 0 for none.
  std::uint8_t approach_code = 0;
  // Type of the tunnel over the cell (low 8 bits of the stored type), 0 in the open.
  std::uint8_t tunnel_type = 0;
  // Line speed limit in km/h divided by speed_step_kmh.
  std::uint8_t speed_div5 = 0;
  // Gradient in per mille plus gradient_base; 0 where no gradient record reached the cell.
  std::uint8_t gradient_100 = 0;
  // Adhesion, 100 where the rail is good, lower where it is poor (low 8 bits).
  std::uint8_t adhesion = 0;

  bool operator==(const TrackCell&) const = default;
};

// A tunnel marker does not occupy its cell: every placement may use it.
inline bool is_free(const TrackCell& cell) {
  return cell.kind == cell_kind::free || cell.kind == cell_kind::tunnel_marker;
}

// One entry of the station and header table. `name` holds UTF-8 text; the table file
// carries it in Windows-1252. Entries 1 up are stations, entries 80 down sign texts, 81 to 86
// header values (table_entries.h says which field holds which); a sign entry uses `name` alone.
struct SimRecord {
  // Station: its type (1 to 30; 25 and above have no stop cell). Header entries: 0.
  std::uint8_t kind = 0;
  // Station: start of its zone, m. Entries 81-83: kilometre point start, m; 84: braked mass, %;
  // 85: background one; 86: first metre of the code repetition.
  std::int32_t start_m = 0;
  // Station: end of its zone, m. Entries 81-83: kilometre point end, m; 84: route length, m;
  // 85: background three; 86: last metre of the code repetition.
  std::int32_t end_m = 0;
  // Station: its position (the stop), m. Entries 81-83: kilometre point value; 84: coaches;
  // 85: background two; 86: codes of the repetition, 4 or 9.
  std::int32_t pos_m = 0;
  // Station: value tps of its record.
  std::uint8_t tps = 0;
  // Station: its name; sign entry: the sign's text; 85: route id; 86: train number.
  std::string name;
  // Station: value d2 of the record's first group. 85: table_header_value; 86: sand, 1 or 0.
  std::int16_t d2a = 0;
  // Station: value d3 of the first group.
  std::int16_t d3a = 0;
  // Station: value d1 of the second group. 86: clock hours.
  std::int16_t d1b = 0;
  // Station: value d2 of the second group. 86: clock minutes.
  std::int16_t d2b = 0;
  // Station: value d3 of the second group. 86: clock seconds.
  std::int16_t d3b = 0;
  // Station: value rap of its record.
  std::uint8_t rap = 0;
  // Station: value ac of its record.
  std::uint8_t ac = 0;
  // Station: value mar; set, a centred station reaches 50 m further; 0 for types 5-8 and the first.
  std::uint8_t mar = 0;
  // Station: value tab; 0 below 600 m of length and at the first station.
  std::uint8_t tab = 0;
  // Station: timetable time, seconds after midnight. 85: the competition code "st".
  std::int32_t time_s = 0;

  bool operator==(const SimRecord&) const = default;
};

using SimTable = std::array<SimRecord, sim_table_size>;

// A tagged number of the line geometry: empty, a 16-bit integer or a double.
class LineValue {
 public:
  enum class Tag : std::uint8_t { empty = 0, integer = 2, real = 5 };

  LineValue() = default;
  static LineValue integer(std::int16_t v) { return LineValue(Tag::integer, v); }
  static LineValue real(double v) { return LineValue(Tag::real, v); }

  Tag tag() const { return tag_; }
  bool empty() const { return tag_ == Tag::empty; }
  // The number as a double; an empty value counts as 0, as in the arithmetic of the reader.
  double number() const { return value_; }

  bool operator==(const LineValue&) const = default;

 private:
  LineValue(Tag tag, double v) : tag_(tag), value_(v) {}
  Tag tag_ = Tag::empty;
  double value_ = 0.0;
};

// Thrown by every checked access of the model that falls outside it.
class ModelRangeError : public std::out_of_range {
 public:
  using std::out_of_range::out_of_range;
};

// Rows 0 to last_m, two coordinates each. Tags and numbers are kept apart so that the longest
// line (over two million values) stays compact; index = row * 2 + coordinate. Access is checked
// but inline, since building and writing the geometry touch every value.
class LineGeometry {
 public:
  LineGeometry() = default;
  explicit LineGeometry(std::int64_t last_m);

  std::int64_t last_m() const { return last_m_; }

  LineValue at(std::int64_t row, int coord) const {
    const std::size_t i = index(row, coord);
    switch (tags_[i]) {
      case LineValue::Tag::integer:
        return LineValue::integer(static_cast<std::int16_t>(values_[i]));
      case LineValue::Tag::real:
        return LineValue::real(values_[i]);
      case LineValue::Tag::empty:
        break;
    }
    return LineValue();
  }

  // The number of a value, 0 for an empty one.
  double number(std::int64_t row, int coord) const { return values_[index(row, coord)]; }

  void set(std::int64_t row, int coord, LineValue v) {
    const std::size_t i = index(row, coord);
    tags_[i] = v.tag();
    values_[i] = v.number();
  }

  // Every value in index order, for the file writer.
  const std::vector<LineValue::Tag>& tags() const { return tags_; }
  const std::vector<double>& numbers() const { return values_; }

 private:
  std::size_t index(std::int64_t row, int coord) const {
    if (row < 0 || row > last_m_ || coord < 0 || coord > 1) out_of_range(row);
    return static_cast<std::size_t>(row) * 2 + static_cast<std::size_t>(coord);
  }
  [[noreturn]] void out_of_range(std::int64_t row) const;

  std::int64_t last_m_ = -1;
  std::vector<LineValue::Tag> tags_;
  std::vector<double> values_;
};

// Checked access to a track cell; outside the track it throws ModelRangeError.
TrackCell& track_cell(std::vector<TrackCell>& track, std::int64_t i);
const TrackCell& track_cell(const std::vector<TrackCell>& track, std::int64_t i);

// Nearest integer, halves to even: the one rounding rule of the whole system.
inline double round_half_even(double x) { return std::nearbyint(x); }

}  // namespace scenario
