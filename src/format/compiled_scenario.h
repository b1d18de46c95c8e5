// What a compile builds: the track, the table and the line, as the three files will hold them.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "format/line_course.h"
#include "format/model.h"

namespace scenario {

// What a compile builds and the three files hold.
struct CompiledScenario {
  // Cells 0 to the last; empty until the route length has been read.
  std::vector<TrackCell> track;
  SimTable table{};
  // Only when the line geometry is built.
  std::optional<LineCourse> line;

  bool has_track() const { return !track.empty(); }
  // The index of the last cell (0 while there is no track).
  std::int64_t track_last() const {
    return track.empty() ? 0 : static_cast<std::int64_t>(track.size()) - 1;
  }
};

}  // namespace scenario
