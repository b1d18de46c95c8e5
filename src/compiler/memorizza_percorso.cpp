#include "compiler/memorizza_percorso.h"

#include <cstddef>

#include "compiler/complete_and_write.h"
#include "compiler/memorizza_dati.h"

namespace scenario {

namespace {

// Cell 1 carries the header: a track without it cannot be completed.
constexpr std::size_t kSmallestTrack = 2;

}  // namespace

void memorizza_percorso(Compilation& c, std::int32_t flag) {
  c.options.build_line = flag != 0;
  c.codes.clear();
  c.written.clear();
  c.model.table = SimTable{};

  memorizza_dati(c);
  if (c.model.track.size() < kSmallestTrack) {
    // A reader that stopped before creating the track leaves nothing to finish; the run must
    // still end with a code, whatever stopped it.
    if (!c.codes.any()) c.codes.record(Code::failure);
    return;
  }

  complete_and_write(c);
}

}  // namespace scenario
