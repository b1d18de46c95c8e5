#include "compiler/finishing_pass.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>

#include "compiler/minimo.h"
#include "format/model.h"

namespace scenario {

namespace {

constexpr std::int16_t kMarkerCode = 180;

constexpr int kWarningSearch = 20;
constexpr std::int64_t kLowestSearchedCell = 3;
constexpr std::int16_t kMarkedSpeedLimit = 110;
constexpr int kMarkerSpacing = 8;
constexpr int kSearchAfterEnd = 12;

// A band of three cells before a slowdown start, tried only when all three lie at cell 1 or on.
struct Band {
  int nearest;
  int guard;
};
constexpr std::array<Band, 3> kBands{{{5, 7}, {11, 13}, {18, 20}}};

class Pass {
 public:
  Pass(std::vector<TrackCell>& track, CodeLog& codes)
      : track_(track), codes_(codes), last_(static_cast<std::int64_t>(track.size()) - 1) {}

  void run() {
    for (std::int64_t i = 1; i <= last_ - 2; ++i) visit(i);
  }

 private:
  void visit(std::int64_t i) {
    const TrackCell& here = cell(i);
    if (here.kind == cell_kind::slowdown_warning) {
      mark_signals_before_warning(i);
    } else if (here.kind == cell_kind::slowdown_start) {
      mark_bands(i);
      const bool slow = here.value1 < kMarkedSpeedLimit;
      mark_after_end(slow ? mark_inside(i) : find_end(i));
    }
  }

  void mark_signals_before_warning(std::int64_t i) {
    for (int k = 1; k <= kWarningSearch && i - k >= kLowestSearchedCell; ++k) {
      if (cell(i - k).kind == cell_kind::signal) mark_before_signal(i - k);
    }
  }

  // A free cell is preferred to adjusting a marker that is already there.
  void mark_before_signal(std::int64_t s) {
    if (free_at(s - 1)) {
      place(s - 1);
    } else if (free_at(s - 2)) {
      place(s - 2);
    } else if (cell(s - 1).kind == cell_kind::code_cut) {
      lower(s - 1);
    } else if (cell(s - 2).kind == cell_kind::code_cut) {
      lower(s - 2);
    } else {
      codes_.record_at(Code::no_room_before_signal, metres(s));
    }
  }

  void mark_bands(std::int64_t i) {
    for (const Band& band : kBands) {
      if (i <= band.guard) continue;
      const std::int64_t nearest = i - band.nearest;
      if (!place_at_first_free({nearest, nearest - 1, nearest - 2})) {
        codes_.record_at(Code::no_room_in_band, metres(i));
      }
    }
  }

  // Walks to the end cell, keeping the next marker 8 cells after the one actually placed;
  // returns the end cell (the last cell of the track when no end is found).
  std::int64_t mark_inside(std::int64_t i) {
    int n = 0;
    std::int64_t j = i;
    do {
      ++j;
      ++n;
      if (n == kMarkerSpacing) n = mark_inside_at(j);
    } while (j < last_ && cell(j).kind != cell_kind::slowdown_end);
    return j;
  }

  // The counter's new value; left at 8 when there is no room, so that it runs past 8 and no
  // further marker is placed inside this slowdown.
  int mark_inside_at(std::int64_t j) {
    if (free_at(j)) {
      place(j);
      return 0;
    }
    if (free_at(j - 1)) {
      place(j - 1);
      return 1;
    }
    if (free_at(j + 1)) {
      place(j + 1);
      return -1;
    }
    codes_.record_at(Code::no_room_inside_or_after, metres(j));
    return kMarkerSpacing;
  }

  std::int64_t find_end(std::int64_t i) const {
    std::int64_t j = i + 1;
    while (j < last_ && cell(j).kind != cell_kind::slowdown_end) ++j;
    return j;
  }

  void mark_after_end(std::int64_t j) {
    const std::int64_t stop = std::min(j + kSearchAfterEnd, last_);
    for (std::int64_t m = j; m <= stop; ++m) {
      if (cell(m).kind != cell_kind::signal) continue;
      const std::int64_t a = m - 1;
      if (a < 1) return;
      if (!place_at_first_free({a, a - 1})) {
        codes_.record_at(Code::no_room_inside_or_after, metres(j));
      }
      return;
    }
  }

  bool place_at_first_free(std::initializer_list<std::int64_t> candidates) {
    for (std::int64_t c : candidates) {
      if (free_at(c)) {
        place(c);
        return true;
      }
    }
    return false;
  }

  // No cell outside the track is ever free: nothing is placed beyond it.
  bool free_at(std::int64_t c) const { return c >= 0 && c <= last_ && is_free(cell(c)); }

  void place(std::int64_t c) {
    TrackCell& t = cell(c);
    t.kind = cell_kind::code_cut;
    t.value1 = kMarkerCode;
  }

  void lower(std::int64_t c) {
    TrackCell& t = cell(c);
    t.value1 = minimo<std::int16_t>(kMarkerCode, t.value1);
  }

  TrackCell& cell(std::int64_t i) { return track_cell(track_, i); }
  const TrackCell& cell(std::int64_t i) const { return track_cell(track_, i); }
  static std::int32_t metres(std::int64_t i) { return static_cast<std::int32_t>(i * cell_metres); }

  std::vector<TrackCell>& track_;
  CodeLog& codes_;
  std::int64_t last_;
};

}  // namespace

void finishing_pass(std::vector<TrackCell>& track, CodeLog& codes) { Pass(track, codes).run(); }

}  // namespace scenario
