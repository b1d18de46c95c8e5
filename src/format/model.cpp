#include "format/model.h"

#include <string>

namespace scenario {

LineGeometry::LineGeometry(std::int64_t last_m) : last_m_(last_m) {
  if (last_m < 0) throw ModelRangeError("line geometry with a negative size");
  const auto n = static_cast<std::size_t>(last_m + 1) * 2;
  tags_.assign(n, LineValue::Tag::empty);
  values_.assign(n, 0.0);
}

void LineGeometry::out_of_range(std::int64_t row) const {
  throw ModelRangeError("line geometry row " + std::to_string(row) + " outside 0.." +
                        std::to_string(last_m_));
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
