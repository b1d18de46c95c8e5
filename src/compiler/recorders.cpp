#include "compiler/recorders.h"

#include <cstddef>
#include <cstdint>

#include "compiler/compilation.h"
#include "format/model.h"

namespace scenario {

namespace {

constexpr std::int32_t kCodeSignalTaken = 16;
constexpr std::int32_t kCodeWarningTaken = 17;
constexpr std::int32_t kCodeStartTaken = 18;
constexpr std::int32_t kCodeEndTaken = 19;
constexpr std::int32_t kCodeAnnounceTaken = 20;
constexpr std::int32_t kCodeBoardTaken = 21;

// A signal's four approach cells lie 2, 4, 6 and 8 cells before it: they must exist.
constexpr std::int64_t kFirstSignalCell = 8;
// Slowdowns starting at or before this position have neither warning nor announce cells.
constexpr std::int32_t kWarningThreshold = 1500;
constexpr std::int32_t kWarningDistance = 1200;
constexpr int kAnnounceCells = 4;
constexpr int kTunnelMarkerSpacing = 4;
constexpr std::int64_t kAdjacentTunnelGap = 150;
constexpr std::int32_t kAdjacentTunnelType = 3;

// Cell fields keep the low bits of whatever the arithmetic gives; the arithmetic itself is done
// in 64 bits so that no input can overflow it.
std::int16_t low16(std::int64_t v) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(v));
}
std::uint8_t low8(std::int64_t v) { return static_cast<std::uint8_t>(v); }

std::int64_t rounded(double x) { return static_cast<std::int64_t>(round_half_even(x)); }

std::int64_t point_cell(std::int64_t p) { return rounded(static_cast<double>(p) / 50.0 + 1.0); }

std::int32_t refuse(GeneratorState& state, std::int32_t code, std::int32_t pos) {
  record_error_at(state, code, pos);
  return code;
}

// Stores this tunnel as entry tunnel_count of both lists; entry 0 stays unused.
void store_tunnel(GeneratorState& state, std::int32_t inizio, std::int32_t fine) {
  ++state.tunnel_count;
  const auto size = static_cast<std::size_t>(state.tunnel_count) + 1;
  state.tunnel_starts.resize(size, 0);
  state.tunnel_ends.resize(size, 0);
  state.tunnel_starts[size - 1] = inizio;
  state.tunnel_ends[size - 1] = fine;
}

bool follows_previous_tunnel(const GeneratorState& state, std::int32_t inizio) {
  if (state.tunnel_count <= 1) return false;
  const std::int64_t previous_end =
      state.tunnel_ends[static_cast<std::size_t>(state.tunnel_count) - 1];
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

std::int32_t memo_montagna(GeneratorState& state, std::int32_t& inizio, std::int32_t& fine,
                           std::int32_t& tipo) {
  const std::int64_t first = rounded(static_cast<double>(inizio) / 50.0);
  const std::int64_t last = rounded(static_cast<double>(fine) / 50.0 - 1.0);
  // A stretch that leaves the track is refused before anything of it is stored.
  if (last >= first) {
    track_cell(state.track, first);
    track_cell(state.track, last);
  }

  const bool markers = tipo > 10;
  if (markers) tipo -= 10;
  store_tunnel(state, inizio, fine);
  if (follows_previous_tunnel(state, inizio)) tipo = kAdjacentTunnelType;

  int written = 0;
  for (std::int64_t c = first; c <= last; ++c) {
    TrackCell& cell = track_cell(state.track, c);
    cell.tunnel_type = low8(tipo);
    ++written;
    if (markers && written % kTunnelMarkerSpacing == 0 && cell.kind == cell_kind::free) {
      cell.kind = cell_kind::tunnel_marker;
    }
  }
  return 0;
}

std::int32_t memo_indicatori_v_max(GeneratorState& state, std::int32_t posizione, std::int32_t& vas,
                                   std::int32_t& vbs, std::int32_t& vcs, std::int32_t& strisces,
                                   std::int32_t& vad, std::int32_t& vbd, std::int32_t& vcd,
                                   std::int32_t& strisced) {
  TrackCell& cell = track_cell(state.track, point_cell(posizione));
  if (!is_free(cell)) return refuse(state, kCodeBoardTaken, posizione);

  const auto board_value = [](std::int32_t right, std::int32_t left) {
    return low16(rounded(static_cast<double>(right) / 5.0 + static_cast<double>(left) * 20.0));
  };
  cell.kind = cell_kind::speed_board;
  cell.value1 = board_value(vad, vas);
  cell.value2 = board_value(vbd, vbs);
  cell.value3 = board_value(vcd, vcs);
  cell.value4 = low16(std::int64_t{strisces} * 10 + strisced);
  return 0;
}

std::int32_t memo_segnale(GeneratorState& state, std::int32_t posizione, std::int32_t& sx,
                          std::int32_t& s1, std::int32_t& s2, std::int32_t& s3, std::int32_t& rapp,
                          std::int32_t& dx, std::int32_t& d1, std::int32_t& d2, std::int32_t& d3,
                          std::int32_t& tempo) {
  const std::int64_t c = point_cell(posizione);
  if (c < kFirstSignalCell) return refuse(state, kCodeSignalTaken, posizione);
  TrackCell& cell = track_cell(state.track, c);
  if (!is_free(cell)) return refuse(state, kCodeSignalTaken, posizione);

  const std::int64_t side = std::int64_t{sx} * 3 + dx;
  cell.kind = cell_kind::signal;
  cell.value4 = low16(std::int64_t{rapp} * 10 + side);
  cell.value1 = low16(std::int64_t{s1} * 10 + d1);
  cell.value2 = low16(std::int64_t{s2} * 10 + d2);
  cell.value3 = low16(std::int64_t{s3} * 10 + d3);

  if (tempo >= 1 && tempo <= 100) tempo = 101;
  cell.signal_time = sx == 2 ? low8(tempo) : 0;

  // Written whatever the cells hold: a later signal's codes replace an earlier one's.
  for (int b = 1; b <= 4; ++b) {
    track_cell(state.track, c - 2 * b).approach_code = low8(side * 10 + b);
  }
  return 0;
}

std::int32_t memo_rallentamento(GeneratorState& state, std::int32_t x, std::int32_t& v,
                                std::int32_t& l, std::int32_t& f_tt, std::int32_t f_ta,
                                std::int32_t& d_v) {
  const double a = (static_cast<double>(x) - kWarningDistance) / 50.0;
  const std::int64_t s = point_cell(x);
  const std::int64_t e = point_cell(std::int64_t{x} + l);
  const std::int64_t w = rounded(a + 1.0);
  const bool warned = x > kWarningThreshold;

  // Every cell is looked at (and so checked to lie on the track) before any is written.
  if (warned && !is_free(track_cell(state.track, w))) {
    return refuse(state, kCodeWarningTaken, x);
  }
  if (!is_free(track_cell(state.track, s))) return refuse(state, kCodeStartTaken, x);
  if (!is_free(track_cell(state.track, e))) return refuse(state, kCodeEndTaken, x);

  mark_slowdown_cell(track_cell(state.track, e), cell_kind::slowdown_end, d_v);
  mark_slowdown_cell(track_cell(state.track, s), cell_kind::slowdown_start, d_v);
  if (warned) {
    TrackCell& warning = track_cell(state.track, w);
    mark_slowdown_cell(warning, cell_kind::slowdown_warning, d_v);
    warning.value1 = low16(v);
  }
  write_slowdown_values(track_cell(state.track, s), v, f_tt);
  write_slowdown_values(track_cell(state.track, e), v, f_tt);

  if (!warned || f_ta == 0) return 0;
  const std::int64_t h = rounded(a);
  for (int i = 0; i < kAnnounceCells; ++i) {
    if (!is_free(track_cell(state.track, h - i))) return refuse(state, kCodeAnnounceTaken, x);
  }
  for (int i = 0; i < kAnnounceCells; ++i) {
    TrackCell& cell = track_cell(state.track, h - i);
    cell.kind = cell_kind::slowdown_announce;
    cell.value1 = static_cast<std::int16_t>(i + 1);
    if (d_v != 0) cell.value2 = static_cast<std::int16_t>(i + 1);
  }
  return 0;
}

}  // namespace scenario
