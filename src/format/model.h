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

// One 50 m stretch of the line.
struct TrackCell {
  std::uint8_t kind = cell_kind::free;
  std::int16_t value1 = 0;
  std::int16_t value2 = 0;
  std::int16_t value3 = 0;
  std::int16_t value4 = 0;
  std::uint8_t signal_time = 0;
  std::uint8_t approach_code = 0;
  std::uint8_t tunnel_type = 0;
  std::uint8_t speed_div5 = 0;
  std::uint8_t gradient_100 = 0;
  std::uint8_t adhesion = 0;

  bool operator==(const TrackCell&) const = default;
};

// A tunnel marker does not occupy its cell: every placement may use it.
inline bool is_free(const TrackCell& cell) {
  return cell.kind == cell_kind::free || cell.kind == cell_kind::tunnel_marker;
}

// One entry of the station and header table. `name` holds UTF-8 text; the table file
// carries it in Windows-1252.
struct SimRecord {
  std::uint8_t kind = 0;
  std::int32_t start_m = 0;
  std::int32_t end_m = 0;
  std::int32_t pos_m = 0;
  std::uint8_t tps = 0;
  std::string name;
  std::int16_t d2a = 0;
  std::int16_t d3a = 0;
  std::int16_t d1b = 0;
  std::int16_t d2b = 0;
  std::int16_t d3b = 0;
  std::uint8_t rap = 0;
  std::uint8_t ac = 0;
  std::uint8_t mar = 0;
  std::uint8_t tab = 0;
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
