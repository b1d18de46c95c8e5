// Hand-built tracks for the tests of the recorders and the finishing pass.
#pragma once

#include <cstdint>
#include <vector>

#include "compiler/compilation.h"
#include "format/model.h"

namespace scenario::testing {

// A state whose track has cells 0 to `last`, all zero.
inline GeneratorState state_with_track(std::int32_t last) {
  GeneratorState state;
  state.track_last = last;
  state.track.assign(static_cast<std::size_t>(last) + 1, TrackCell{});
  return state;
}

// Puts a feature of `kind` into cell `i`, as the reader or a recorder would have.
inline TrackCell& put(GeneratorState& state, std::int64_t i, std::uint8_t kind,
                      std::int16_t value1 = 0) {
  TrackCell& c = track_cell(state.track, i);
  c.kind = kind;
  c.value1 = value1;
  return c;
}

inline const TrackCell& at(const GeneratorState& state, std::int64_t i) {
  return track_cell(state.track, i);
}

// The indices of the cells of one kind, in order.
inline std::vector<std::int64_t> cells_of_kind(const GeneratorState& state, std::uint8_t kind) {
  std::vector<std::int64_t> out;
  for (std::size_t i = 0; i < state.track.size(); ++i) {
    if (state.track[i].kind == kind) out.push_back(static_cast<std::int64_t>(i));
  }
  return out;
}

}  // namespace scenario::testing
