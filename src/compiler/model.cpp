#include "compiler/model.h"

#include <string>

namespace scenario {

LineGeometry::LineGeometry(std::int64_t last_m) {
  if (last_m < 0) throw ModelRangeError("line geometry with a negative size");
  const auto n = static_cast<std::size_t>(last_m + 1) * 2;
  tags_.assign(n, LineValue::Tag::empty);
  values_.assign(n, 0.0);
}

std::size_t LineGeometry::index(std::int64_t row, int coord) const {
  if (row < 0 || row > last_m() || coord < 0 || coord > 1) {
    throw ModelRangeError("line geometry row " + std::to_string(row) + " outside 0.." +
                          std::to_string(last_m()));
  }
  return static_cast<std::size_t>(row) * 2 + static_cast<std::size_t>(coord);
}

LineValue LineGeometry::at(std::int64_t row, int coord) const {
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

void LineGeometry::set(std::int64_t row, int coord, LineValue v) {
  const std::size_t i = index(row, coord);
  tags_[i] = v.tag();
  values_[i] = v.number();
}

TrackCell& track_cell(std::vector<TrackCell>& track, std::int64_t i) {
  if (i < 0 || i >= static_cast<std::int64_t>(track.size())) {
    throw ModelRangeError("track cell " + std::to_string(i) + " outside the track");
  }
  return track[static_cast<std::size_t>(i)];
}

const TrackCell& track_cell(const std::vector<TrackCell>& track, std::int64_t i) {
  if (i < 0 || i >= static_cast<std::int64_t>(track.size())) {
    throw ModelRangeError("track cell " + std::to_string(i) + " outside the track");
  }
  return track[static_cast<std::size_t>(i)];
}

}  // namespace scenario
