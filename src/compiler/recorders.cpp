#include "compiler/recorders.h"

#include <cstddef>
#include <cstdint>

#include "format/feature_layout.h"
#include "format/model.h"

namespace scenario {

namespace {

// A signal's four approach cells lie 2, 4, 6 and 8 cells before it: they must exist.
constexpr std::int64_t kFirstSignalCell = 8;
// Slowdowns starting at or before this position have neither warning nor announce cells.
constexpr std::int32_t kWarningThreshold = layout::warning_threshold_m;
constexpr std::int32_t kWarningDistance = layout::warning_distance_m;
constexpr int kAnnounceCells = layout::announce_cells;
constexpr int kTunnelMarkerSpacing = layout::tunnel_marker_spacing;
constexpr std::int64_t kAdjacentTunnelGap = layout::adjacent_tunnel_gap_m;
constexpr std::int32_t kAdjacentTunnelType = layout::adjacent_tunnel_type;

// Cell fields keep the low bits of whatever the arithmetic gives; the arithmetic itself is done
// in 64 bits so that no input can overflow it.
std::int16_t low16(std::int64_t v) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(v));
}
std::uint8_t low8(std::int64_t v) { return static_cast<std::uint8_t>(v); }

std::int64_t rounded(double x) { return static_cast<std::int64_t>(round_half_even(x)); }

constexpr double kCell = static_cast<double>(cell_metres);

std::int64_t point_cell(std::int64_t p) { return rounded(static_cast<double>(p) / kCell + 1.0); }

Code refuse(CodeLog& codes, Code code, std::int32_t pos) {
  codes.record_at(code, pos);
  return code;
}

// Stores this tunnel as entry `count` of both lists; entry 0 stays unused.
void store_tunnel(TunnelList& tunnels, std::int32_t inizio, std::int32_t fine) {
  ++tunnels.count;
  const auto size = static_cast<std::size_t>(tunnels.count) + 1;
  tunnels.starts.resize(size, 0);
  tunnels.ends.resize(size, 0);
  tunnels.starts[size - 1] = inizio;
  tunnels.ends[size - 1] = fine;
}

bool follows_previous_tunnel(const TunnelList& tunnels, std::int32_t inizio) {
  if (tunnels.count <= 1) return false;
  const std::int64_t previous_end = tunnels.ends[static_cast<std::size_t>(tunnels.count) - 1];
  return static_cast<std::int64_t>(inizio) - previous_end <= kAdjacentTunnelGap;
}

void write_slowdown_values(TrackCell& cell, std::int32_t v, std::int32_t f_tt) {
  cell.value1 = low16(v);
  cell.value3 = low16(f_tt);
}

void mark_slowdown_cell(TrackCell& cell, std::uint8_t kind, std::int32_t d_v) {
  cell.kind = kind;
  if (d_v != 0) cell.value2 = low16(d_v);
}

}  // namespace

Code memo_montagna(std::vector<TrackCell>& track, TunnelList& tunnels, Tunnel& tunnel) {
  const std::int64_t first = rounded(static_cast<double>(tunnel.inizio) / kCell);
  const std::int64_t last = rounded(static_cast<double>(tunnel.fine) / kCell - 1.0);
  // A stretch that leaves the track is refused before anything of it is stored.
  if (last >= first) {
    track_cell(track, first);
    track_cell(track, last);
  }

  const bool markers = tunnel.tipo > layout::tunnel_marker_type_offset;
  if (markers) tunnel.tipo -= layout::tunnel_marker_type_offset;
  store_tunnel(tunnels, tunnel.inizio, tunnel.fine);
  if (follows_previous_tunnel(tunnels, tunnel.inizio)) tunnel.tipo = kAdjacentTunnelType;

  int written = 0;
  for (std::int64_t c = first; c <= last; ++c) {
    TrackCell& cell = track_cell(track, c);
    cell.tunnel_type = low8(tunnel.tipo);
    ++written;
    if (markers && written % kTunnelMarkerSpacing == 0 && cell.kind == cell_kind::free) {
      cell.kind = cell_kind::tunnel_marker;
    }
  }
  return Code::none;
}

Code memo_indicatori_v_max(std::vector<TrackCell>& track, CodeLog& codes, const SpeedBoard& board) {
  TrackCell& cell = track_cell(track, point_cell(board.posizione));
  if (!is_free(cell)) return refuse(codes, Code::board_taken, board.posizione);
  cell.kind = cell_kind::speed_board;
  pack_board(cell, board.values);
  return Code::none;
}

Code memo_segnale(std::vector<TrackCell>& track, CodeLog& codes, Signal& signal) {
  const std::int64_t c = point_cell(signal.posizione);
  if (c < kFirstSignalCell) return refuse(codes, Code::signal_taken, signal.posizione);
  TrackCell& cell = track_cell(track, c);
  if (!is_free(cell)) return refuse(codes, Code::signal_taken, signal.posizione);

  cell.kind = cell_kind::signal;
  pack_signal(cell, signal.values);

  if (signal.tempo >= 1 && signal.tempo <= layout::signal_time_raised_up_to) {
    signal.tempo = layout::signal_time_raised_up_to + 1;
  }
  cell.signal_time = signal.values.sx == 2 ? low8(signal.tempo) : 0;

  // Written whatever the cells hold: a later signal's codes replace an earlier one's.
  const std::int64_t side = signal_side_code(signal.values);
  for (int b = 1; b <= 4; ++b) {
    track_cell(track, c - 2 * b).approach_code = low8(side * 10 + b);
  }
  return Code::none;
}

Code memo_rallentamento(std::vector<TrackCell>& track, CodeLog& codes, const Slowdown& r) {
  const double a = (static_cast<double>(r.x) - kWarningDistance) / kCell;
  const std::int64_t s = point_cell(r.x);
  const std::int64_t e = point_cell(std::int64_t{r.x} + r.l);
  const std::int64_t w = rounded(a + 1.0);
  const bool warned = r.x > kWarningThreshold;

  // Every cell is looked at (and so checked to lie on the track) before any is written.
  if (warned && !is_free(track_cell(track, w))) return refuse(codes, Code::warning_taken, r.x);
  if (!is_free(track_cell(track, s))) return refuse(codes, Code::start_taken, r.x);
  if (!is_free(track_cell(track, e))) return refuse(codes, Code::end_taken, r.x);

  mark_slowdown_cell(track_cell(track, e), cell_kind::slowdown_end, r.d_v);
  mark_slowdown_cell(track_cell(track, s), cell_kind::slowdown_start, r.d_v);
  if (warned) {
    TrackCell& warning = track_cell(track, w);
    mark_slowdown_cell(warning, cell_kind::slowdown_warning, r.d_v);
    warning.value1 = low16(r.v);
  }
  write_slowdown_values(track_cell(track, s), r.v, r.f_tt);
  write_slowdown_values(track_cell(track, e), r.v, r.f_tt);

  if (!warned || r.f_ta == 0) return Code::none;
  const std::int64_t h = rounded(a);
  for (int i = 0; i < kAnnounceCells; ++i) {
    if (!is_free(track_cell(track, h - i))) return refuse(codes, Code::announce_taken, r.x);
  }
  for (int i = 0; i < kAnnounceCells; ++i) {
    TrackCell& cell = track_cell(track, h - i);
    cell.kind = cell_kind::slowdown_announce;
    cell.value1 = static_cast<std::int16_t>(i + 1);
    if (r.d_v != 0) cell.value2 = static_cast<std::int16_t>(i + 1);
  }
  return Code::none;
}

}  // namespace scenario
