// Telling an author's code cuts from the markers of the finishing pass. Both are cells of kind 12;
// the pass places its own with the value 180 (and lowers a cut it adjusts to 180). The compiler's
// own pass is run over the track without the cells in doubt: what it places again is its own,
// what it does not is an author's. An author's cut changes where the pass puts its markers, so
// the cuts found are put back and the pass is run again until nothing changes.
#include "compiler/code_log.h"
#include "compiler/finishing_pass.h"
#include "scenario_tool/decompile/recover_parts.h"

namespace scenario::tool {

namespace {

constexpr std::int16_t kMarkerCode = 180;
// Each round finds at least one more cut; a few suffice for any track a source gives.
constexpr int kMostRounds = 64;

bool in_doubt(const TrackCell& cell) {
  return cell.kind == cell_kind::code_cut && cell.value1 == kMarkerCode;
}

}  // namespace

std::vector<std::int64_t> authored_code_cuts(const std::vector<TrackCell>& track) {
  std::vector<bool> authored(track.size(), false);
  for (std::size_t c = 0; c < track.size(); ++c) {
    const std::uint8_t kind = track[c].kind;
    authored[c] =
        kind == cell_kind::code_cut_zero || (kind == cell_kind::code_cut && !in_doubt(track[c]));
  }
  for (int round = 0; round < kMostRounds; ++round) {
    std::vector<TrackCell> trial = track;
    for (std::size_t c = 0; c < trial.size(); ++c) {
      if (in_doubt(trial[c]) && !authored[c]) {
        trial[c].kind = cell_kind::free;
        trial[c].value1 = 0;
      }
    }
    CodeLog codes;
    finishing_pass(trial, codes);
    bool changed = false;
    for (std::size_t c = 0; c < trial.size(); ++c) {
      if (in_doubt(track[c]) && !authored[c] && trial[c].kind != cell_kind::code_cut) {
        authored[c] = true;
        changed = true;
      }
    }
    if (!changed) break;
  }
  std::vector<std::int64_t> cells;
  for (std::size_t c = 0; c < track.size(); ++c) {
    if (authored[c]) cells.push_back(static_cast<std::int64_t>(c));
  }
  return cells;
}

}  // namespace scenario::tool
