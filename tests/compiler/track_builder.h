// Hand-built tracks for the tests of the recorders and the finishing pass.
#pragma once

#include <cstdint>
#include <vector>

#include "compiler/code_log.h"
#include "compiler/recorders.h"
#include "format/model.h"

namespace scenario::testing {

// Cells 0 to `last`, all zero, with the tunnel list and the code log that the recorders and the
// finishing pass write into.
struct TestTrack {
  explicit TestTrack(std::int32_t last) : track(static_cast<std::size_t>(last) + 1) {}

  std::vector<TrackCell> track;
  TunnelList tunnels;
  CodeLog codes;

  Code code() const { return codes.last().code; }
  std::int32_t pos() const { return codes.last().pos; }
};

// Puts a feature of `kind` into cell `i`, as the reader or a recorder would have.
inline TrackCell& put(TestTrack& t, std::int64_t i, std::uint8_t kind, std::int16_t value1 = 0) {
  TrackCell& c = track_cell(t.track, i);
  c.kind = kind;
  c.value1 = value1;
  return c;
}

inline const TrackCell& at(const TestTrack& t, std::int64_t i) { return track_cell(t.track, i); }

// The indices of the cells of one kind, in order.
inline std::vector<std::int64_t> cells_of_kind(const std::vector<TrackCell>& track,
                                               std::uint8_t kind) {
  std::vector<std::int64_t> out;
  for (std::size_t i = 0; i < track.size(); ++i) {
    if (track[i].kind == kind) out.push_back(static_cast<std::int64_t>(i));
  }
  return out;
}

inline std::vector<std::int64_t> cells_of_kind(const TestTrack& t, std::uint8_t kind) {
  return cells_of_kind(t.track, kind);
}

}  // namespace scenario::testing
