// The point features of the track: signals, speed boards, slowdowns (start, end, warning and
// announce cells) and the author's code cuts.
#include <string>

#include "format/feature_layout.h"
#include "scenario_tool/decompile/recover_parts.h"
#include "scenario_tool/scenario/position_text.h"

namespace scenario::tool {

namespace {

constexpr std::int32_t kWarningThreshold = layout::warning_threshold_m;
// A slowdown whose start cell is 31 has a warning only when it starts past 1500 m, which still
// rounds into cell 31.
constexpr std::int32_t kWarnedEarliestStart = 1510;
constexpr std::int64_t kWarningCellsBefore = layout::warning_cells_before;
constexpr std::int64_t kAnnounceCellsBefore = layout::announce_cells_before;
constexpr int kAnnounceCells = layout::announce_cells;
constexpr std::int32_t kHalfCell = cell_metres / 2;
constexpr int kTimeRaisedBelow = layout::signal_time_raised_up_to;
constexpr int kByteWrap = 256;

std::string cell_name(std::int64_t c) {
  return "track cell " + std::to_string(c) + " (" + km_position(c * cell_metres) + ")";
}

// Side code sx × 3 + dx: the tens of the approach codes 2, 4, 6 and 8 cells before the signal
// when no later feature wrote over them, else what value4 gives with the repeater flag in tens.
std::int64_t side_code(const std::vector<TrackCell>& track, std::int64_t c) {
  const TrackCell& cell = track[static_cast<std::size_t>(c)];
  const std::int64_t from_value = signal_side_code(unpack_signal(cell));
  for (int b = 1; b <= 4; ++b) {
    const std::int64_t a = c - 2 * b;
    if (a < 0) break;
    const int code = track[static_cast<std::size_t>(a)].approach_code;
    if ((code - b) % 10 != 0) continue;
    const std::int64_t side = (code - b) / 10;
    if ((cell.value4 - side) % 10 == 0) return side;
  }
  return from_value;
}

SignalRecord recover_signal(const std::vector<TrackCell>& track, std::int64_t c) {
  const TrackCell& cell = track[static_cast<std::size_t>(c)];
  const std::int64_t side = side_code(track, c);
  SignalValues v = unpack_signal(cell);
  v.rapp = static_cast<std::int32_t>((cell.value4 - side) / 10);
  // The time is kept only for a left side of 2.
  v.sx = cell.signal_time != 0 ? 2 : static_cast<std::int32_t>(side / 3);
  v.dx = static_cast<std::int32_t>(side - 3 * v.sx);
  TrackCell check;
  pack_signal(check, v);
  if (check.value1 != cell.value1) v.s1 = 0, v.d1 = cell.value1;
  if (check.value2 != cell.value2) v.s2 = 0, v.d2 = cell.value2;
  if (check.value3 != cell.value3) v.s3 = 0, v.d3 = cell.value3;
  // A time of 1 to 100 is raised to 101; the same byte comes from one 256 higher.
  const int t = cell.signal_time;
  const std::int32_t tempo = t == 0 || t > kTimeRaisedBelow ? t : t + kByteWrap;
  return {point_position(c), v, tempo};
}

BoardRecord recover_board(const TrackCell& cell, std::int64_t c) {
  BoardValues v = unpack_board(cell);
  TrackCell check;
  pack_board(check, v);
  // Values no pair of speeds in steps of 5 gives: all on the right-hand side, unrounded.
  if (check.value1 != cell.value1) v.vas = 0, v.vad = cell.value1 * speed_step_kmh;
  if (check.value2 != cell.value2) v.vbs = 0, v.vbd = cell.value2 * speed_step_kmh;
  if (check.value3 != cell.value3) v.vcs = 0, v.vcd = cell.value3 * speed_step_kmh;
  if (check.value4 != cell.value4) v.strisces = 0, v.strisced = cell.value4;
  return {point_position(c), v};
}

bool same_slowdown_values(const TrackCell& a, const TrackCell& b) {
  return a.value1 == b.value1 && a.value2 == b.value2 && a.value3 == b.value3;
}

class SlowdownCells {
 public:
  SlowdownCells(const std::vector<TrackCell>& track, RecoveredScenario& out)
      : track_(track), out_(out), used_(track.size(), false) {}

  void recover() {
    for (std::size_t s = 0; s < track_.size(); ++s) {
      if (track_[s].kind == cell_kind::slowdown_start) recover_one(static_cast<std::int64_t>(s));
    }
    for (std::size_t c = 0; c < track_.size(); ++c) {
      const std::uint8_t k = track_[c].kind;
      if (!used_[c] && k >= cell_kind::slowdown_end && k <= cell_kind::slowdown_announce) {
        out_.unexpressible.push_back(cell_name(static_cast<std::int64_t>(c)) +
                                     " is a slowdown cell that belongs to no slowdown");
      }
    }
  }

 private:
  const TrackCell& at(std::int64_t c) const { return track_[static_cast<std::size_t>(c)]; }
  bool is(std::int64_t c, std::uint8_t kind) const {
    return c >= 0 && c < static_cast<std::int64_t>(track_.size()) && at(c).kind == kind &&
           !used_[static_cast<std::size_t>(c)];
  }

  // The first unused end after the start with the start's values, else the first unused end.
  std::optional<std::int64_t> end_of(std::int64_t s) const {
    std::optional<std::int64_t> any;
    for (auto e = s + 1; e < static_cast<std::int64_t>(track_.size()); ++e) {
      if (!is(e, cell_kind::slowdown_end)) continue;
      if (same_slowdown_values(at(e), at(s))) return e;
      if (!any) any = e;
    }
    return any;
  }

  void recover_one(std::int64_t s) {
    const TrackCell& start = at(s);
    const std::optional<std::int64_t> e = end_of(s);
    if (!e) {
      out_.unexpressible.push_back(cell_name(s) + " starts a slowdown that has no end cell");
      return;
    }
    used_[static_cast<std::size_t>(s)] = true;
    used_[static_cast<std::size_t>(*e)] = true;
    SlowdownRecord r{.x = point_position(s),
                     .v = start.value1,
                     .l = 0,
                     .f_tt = start.value3,
                     .f_ta = 0,
                     .d_v = start.value2};
    const std::int64_t w = s - kWarningCellsBefore;
    if (r.x == kWarningThreshold && is(w, cell_kind::slowdown_warning)) r.x = kWarnedEarliestStart;
    r.l = point_position(*e) - r.x;
    if (!same_slowdown_values(start, at(*e))) {
      out_.unexpressible.push_back(cell_name(*e) + " ends a slowdown with values other than " +
                                   "its start's");
    }
    if (r.x > kWarningThreshold) recover_warning(s, w, r);
    out_.slowdowns.push_back(r);
  }

  void recover_warning(std::int64_t s, std::int64_t w, SlowdownRecord& r) {
    if (!is(w, cell_kind::slowdown_warning)) {
      out_.unexpressible.push_back(cell_name(s) + " starts a slowdown without its warning cell " +
                                   std::to_string(w));
      return;
    }
    used_[static_cast<std::size_t>(w)] = true;
    if (at(w).value1 != r.v || at(w).value2 != r.d_v) {
      out_.unexpressible.push_back(cell_name(w) + " warns of a slowdown with other values");
    }
    std::int64_t h = s - kAnnounceCellsBefore;
    if (!announced_from(h)) {
      // A slowdown 25 m before a cell's point (10525 m) rounds its start up to an even cell and
      // its announce cells down, one cell further back; at any other start they would take the
      // warning cell, which no compile allows.
      h = s - kAnnounceCellsBefore - 1;
      if (s % 2 != 0 || !announced_from(h)) return;
      r.x -= kHalfCell;
      r.l += kHalfCell;
    }
    r.f_ta = 1;
    for (int i = 0; i < kAnnounceCells; ++i) used_[static_cast<std::size_t>(h - i)] = true;
  }

  // The four announce cells, counting 1 to 4 back from `h`.
  bool announced_from(std::int64_t h) const {
    for (int i = 0; i < kAnnounceCells; ++i) {
      if (!is(h - i, cell_kind::slowdown_announce) || at(h - i).value1 != i + 1) return false;
    }
    return true;
  }

  const std::vector<TrackCell>& track_;
  RecoveredScenario& out_;
  std::vector<bool> used_;
};

bool known_kind(std::uint8_t kind) {
  return kind <= cell_kind::speed_board ||
         (kind >= cell_kind::station_stop && kind <= cell_kind::signboard);
}

}  // namespace

void recover_point_features(const std::vector<TrackCell>& track, RecoveredScenario& out) {
  for (std::size_t c = 0; c < track.size(); ++c) {
    if (!known_kind(track[c].kind)) {
      throw Unrecoverable(cell_name(static_cast<std::int64_t>(c)) + " is of kind " +
                          std::to_string(track[c].kind) + ", which no compile writes");
    }
  }
  for (std::size_t c = 0; c < track.size(); ++c) {
    const auto i = static_cast<std::int64_t>(c);
    if (track[c].kind == cell_kind::signal) out.signals.push_back(recover_signal(track, i));
    if (track[c].kind == cell_kind::speed_board) out.boards.push_back(recover_board(track[c], i));
  }
  SlowdownCells(track, out).recover();
  for (std::int64_t c : authored_code_cuts(track)) {
    const TrackCell& cell = track[static_cast<std::size_t>(c)];
    if (cell.kind == cell_kind::code_cut_zero) {
      out.code_cuts.push_back({cell_position(c), 0});
      continue;
    }
    if (cell.value1 < 1) {
      out.unexpressible.push_back(cell_name(c) + " is a code cut of value " +
                                  std::to_string(cell.value1) +
                                  "; a source's code cut below 1 is stored as kind 13");
    }
    out.code_cuts.push_back({cell_position(c), cell.value1});
  }
}

}  // namespace scenario::tool
