#include "scenario_tool/plot/track_series.h"

#include <functional>

#include "format/cell_values.h"
#include "scenario_tool/scenario/track_views.h"

namespace scenario::tool {

namespace {

constexpr double kCellMetres = static_cast<double>(cell_metres);

// The value a cell holds; stretches are made of the cells for which it is set.
using CellValue = std::function<std::optional<int>(const TrackCell&)>;

std::vector<Stretch> stretches_of(const std::vector<TrackCell>& track, const CellValue& value) {
  std::vector<Stretch> out;
  bool open = false;
  for (std::size_t i = 0; i < track.size(); ++i) {
    const auto v = value(track[i]);
    const auto index = static_cast<std::int64_t>(i);
    if (v && open && out.back().value == *v && out.back().end_m == cell_start_m(index)) {
      out.back().end_m = cell_start_m(index + 1);
      continue;
    }
    open = v.has_value();
    if (open) out.push_back(Stretch{cell_start_m(index), cell_start_m(index + 1), *v});
  }
  return out;
}

double rise_of(double per_mille) { return per_mille * kCellMetres / 1000.0; }

}  // namespace

std::vector<Stretch> tunnel_stretches(const std::vector<TrackCell>& track) {
  return stretches_of(track, [](const TrackCell& c) -> std::optional<int> {
    if (c.tunnel_type == 0) return std::nullopt;
    return c.tunnel_type;
  });
}

std::vector<Stretch> speed_stretches(const std::vector<TrackCell>& track) {
  return stretches_of(track, [](const TrackCell& c) -> std::optional<int> {
    if (c.speed_div5 == 0) return std::nullopt;
    return speed_limit_kmh(c);
  });
}

std::vector<Stretch> poor_adhesion_stretches(const std::vector<TrackCell>& track) {
  return stretches_of(track, [](const TrackCell& c) -> std::optional<int> {
    if (c.adhesion == 0 || c.adhesion >= 100) return std::nullopt;
    return c.adhesion;
  });
}

std::vector<std::vector<ElevationVertex>> elevation_pieces(const std::vector<TrackCell>& track) {
  std::vector<std::vector<ElevationVertex>> pieces;
  double elevation = 0;
  std::optional<double> previous;  // the gradient of the cell before, when it was drawn
  for (std::size_t i = 0; i < track.size(); ++i) {
    const double start = static_cast<double>(i) * kCellMetres;
    const auto g = gradient_per_mille(track[i]);
    if (g && !previous) pieces.emplace_back().push_back({start, elevation});
    if (g && previous && *g != *previous) pieces.back().push_back({start, elevation});
    if (g) elevation += rise_of(*g);
    if (!g && previous) pieces.back().push_back({start, elevation});
    previous = g;
  }
  if (previous)
    pieces.back().push_back({static_cast<double>(track.size()) * kCellMetres, elevation});
  return pieces;
}

double elevation_at_end(const std::vector<TrackCell>& track) {
  double elevation = 0;
  for (const TrackCell& c : track) {
    if (const auto g = gradient_per_mille(c)) elevation += rise_of(*g);
  }
  return elevation;
}

std::vector<SlowdownSpan> slowdown_spans(const std::vector<TrackCell>& track) {
  std::vector<SlowdownSpan> out;
  for (std::size_t i : cells_of_kind(track, cell_kind::slowdown_start)) {
    SlowdownSpan span{i, i, track[i].value1};
    for (std::size_t j = i + 1; j < track.size(); ++j) {
      if (track[j].kind == cell_kind::slowdown_start) break;
      if (track[j].kind != cell_kind::slowdown_end) continue;
      span.end_cell = j;
      break;
    }
    out.push_back(span);
  }
  return out;
}

std::vector<std::size_t> cells_of_kind(const std::vector<TrackCell>& track, std::uint8_t kind) {
  std::vector<std::size_t> out;
  for (std::size_t i = 0; i < track.size(); ++i) {
    if (track[i].kind == kind) out.push_back(i);
  }
  return out;
}

}  // namespace scenario::tool
