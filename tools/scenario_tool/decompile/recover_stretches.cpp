// The properties of the stretches: gradient, speed limit and adhesion (records that hold from
// their position on) and tunnels (runs of cells of one type).
#include <algorithm>
#include <string>

#include "format/feature_layout.h"
#include "scenario_tool/decompile/recover_parts.h"

namespace scenario::tool {

namespace {

using CellByte = std::uint8_t TrackCell::*;

// A tunnel within this many metres of the end of the one recorded before it takes type 3.
constexpr std::int64_t kAdjacentTunnelGap = layout::adjacent_tunnel_gap_m;
constexpr std::int32_t kAdjacentTunnelType = layout::adjacent_tunnel_type;
constexpr std::int32_t kMarkerTypeOffset = layout::tunnel_marker_type_offset;
// A type above 10 asks for markers: a larger stored type without markers wraps through 8 bits.
constexpr std::int32_t kByteWrap = 256;
// A record that writes no cell and ends far before the track, so the next tunnel keeps its type.
constexpr std::int32_t kSpacerMetres = -1000;

// The last cell the reader fills: the tail stops before track_last - 2, but a record placed at
// that cell makes the tail write it too.
std::int64_t last_filled(const std::vector<TrackCell>& track, CellByte field) {
  const auto last = static_cast<std::int64_t>(track.size()) - 1;
  const std::int64_t tail = std::max<std::int64_t>(0, last - 3);
  if (tail + 1 <= last && track[static_cast<std::size_t>(tail + 1)].*field != 0) return tail + 1;
  return tail;
}

// One record at each change. `implicit` is the value in force before the first record (none when
// the first record sets it, as for speed and adhesion); `scale` turns a byte into the value.
std::vector<StretchRecord> stretch_records(const std::vector<TrackCell>& track, CellByte field,
                                           std::optional<int> implicit, int offset, int scale,
                                           const char* what, RecoveredScenario& out) {
  std::vector<StretchRecord> records;
  if (track.empty()) return records;
  const auto value = [&](std::int64_t c) {
    return (static_cast<int>(track[static_cast<std::size_t>(c)].*field) - offset) * scale;
  };
  const std::int64_t last = last_filled(track, field);
  if (!implicit || value(0) != *implicit) records.push_back({0, value(0)});
  for (std::int64_t c = 1; c <= last; ++c) {
    if (value(c) != value(c - 1)) records.push_back({cell_position(c), value(c)});
  }
  if (last > std::max<std::int64_t>(0, static_cast<std::int64_t>(track.size()) - 4) &&
      (records.empty() || records.back().position < cell_position(last))) {
    records.push_back({cell_position(last), value(last)});
  }
  for (std::size_t c = static_cast<std::size_t>(last) + 1; c < track.size(); ++c) {
    if (track[c].*field != 0) {
      out.unexpressible.push_back("track cell " + std::to_string(c) + " holds a " + what +
                                  " past the last cell that a source fills");
      break;
    }
  }
  return records;
}

std::int32_t tunnel_tipo(int stored, bool markers) {
  if (markers) return stored + kMarkerTypeOffset;
  return stored > kMarkerTypeOffset ? stored - kByteWrap : stored;
}

void recover_tunnels(const std::vector<TrackCell>& track, RecoveredScenario& out) {
  std::optional<std::int32_t> previous_end;
  std::size_t c = 0;
  while (c < track.size()) {
    const std::uint8_t type = track[c].tunnel_type;
    if (type == 0) {
      ++c;
      continue;
    }
    const std::size_t first = c;
    bool markers = false;
    for (; c < track.size() && track[c].tunnel_type == type; ++c) {
      markers = markers || track[c].kind == cell_kind::tunnel_marker;
    }
    const TunnelRecord tunnel{cell_position(static_cast<std::int64_t>(first)),
                              cell_position(static_cast<std::int64_t>(c)),
                              tunnel_tipo(type, markers), false};
    if (previous_end && tunnel.inizio - *previous_end <= kAdjacentTunnelGap &&
        type != kAdjacentTunnelType) {
      out.tunnels.push_back({kSpacerMetres, kSpacerMetres, 0, true});
    }
    out.tunnels.push_back(tunnel);
    previous_end = tunnel.fine;
  }
}

}  // namespace

void recover_stretches(const std::vector<TrackCell>& track, RecoveredScenario& out) {
  out.gradients =
      stretch_records(track, &TrackCell::gradient_100, 0, gradient_base, 1, "gradient", out);
  out.speeds = stretch_records(track, &TrackCell::speed_div5, std::nullopt, 0, speed_step_kmh,
                               "speed limit", out);
  out.adhesion = stretch_records(track, &TrackCell::adhesion, std::nullopt, 0, 1, "adhesion", out);
  recover_tunnels(track, out);
}

}  // namespace scenario::tool
