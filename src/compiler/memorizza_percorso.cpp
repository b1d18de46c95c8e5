#include "compiler/memorizza_percorso.h"

#include <cstddef>
#include <cstdint>

#include "compiler/compilation.h"
#include "compiler/complete_and_write.h"
#include "compiler/memorizza_dati.h"
#include "format/model.h"

namespace scenario {

namespace {

// A reader that stopped before creating the track leaves nothing to finish; the run must still
// end with a code, whatever stopped it.
constexpr std::int32_t kCodeNoTrack = 25;
// Cell 1 carries the header: a track without it cannot be completed.
constexpr std::size_t kSmallestTrack = 2;

}  // namespace

void memorizza_percorso(GeneratorState& state, std::int32_t flag) {
  state.build_line = flag;
  state.error_code = 0;
  state.error_pos_recorded = false;
  state.table = SimTable{};

  memorizza_dati(state);
  if (state.track.size() < kSmallestTrack) {
    if (state.error_code == 0) record_error(state, kCodeNoTrack);
    return;
  }

  complete_and_write(state);
}

}  // namespace scenario
