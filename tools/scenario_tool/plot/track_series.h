// What the profile draws from the track: stretches of the line's properties, the elevation the
// gradients add up to, and the slowdowns from their start to their end cell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "format/model.h"

namespace scenario::tool {

// Where a value holds along the track, in metres from start_m up to end_m.
struct Stretch {
  std::int64_t start_m = 0;
  std::int64_t end_m = 0;
  int value = 0;

  bool operator==(const Stretch&) const = default;
};

// Tunnels, valued by their type.
std::vector<Stretch> tunnel_stretches(const std::vector<TrackCell>& track);

// The line speed limit in km/h; cells holding 0 were never written and are left out.
std::vector<Stretch> speed_stretches(const std::vector<TrackCell>& track);

// Adhesion below 100 (good rail), valued by the adhesion; 0 was never written.
std::vector<Stretch> poor_adhesion_stretches(const std::vector<TrackCell>& track);

struct ElevationVertex {
  double metres = 0;
  double elevation = 0;
};

// The elevation from 0 at the start, each cell adding its gradient (per mille) × 50 m / 1000, as
// one polyline per run of cells whose gradient was written (a gradient byte of 0 was not: such a
// cell adds nothing and is not drawn). Vertices stand only where the gradient changes.
std::vector<std::vector<ElevationVertex>> elevation_pieces(const std::vector<TrackCell>& track);

// The elevation after the last cell.
double elevation_at_end(const std::vector<TrackCell>& track);

// A slowdown from its start cell to the first end cell after it (the start cell itself when
// none follows), at the start's speed.
struct SlowdownSpan {
  std::size_t start_cell = 0;
  std::size_t end_cell = 0;
  int speed_kmh = 0;
};
std::vector<SlowdownSpan> slowdown_spans(const std::vector<TrackCell>& track);

// The indices of the cells of one kind.
std::vector<std::size_t> cells_of_kind(const std::vector<TrackCell>& track, std::uint8_t kind);

}  // namespace scenario::tool
