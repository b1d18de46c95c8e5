#include "compiler/compile_sources.h"

#include <cstddef>
#include <utility>

#include "compiler/complete_model.h"
#include "compiler/header_slots.h"
#include "compiler/memorizza_dati.h"

namespace scenario {

namespace {

// Cell 1 carries the header: a track without it cannot be completed.
constexpr std::size_t kSmallestTrack = 2;

// True when the model was completed; false on a header conflict.
bool completed(Compilation& c) {
  try {
    complete_model(c);
  } catch (const HeaderConflict&) {
    return false;
  }
  return true;
}

}  // namespace

CompileResult compile_sources(CompileInput input, CompileObserver& observer) {
  Compilation c(std::move(input.ids), observer);
  c.options = input.options;
  c.sources = std::move(input.sources);
  memorizza_dati(c);

  CompileResult result;
  if (c.model.track.size() < kSmallestTrack) {
    // A reader that stopped before creating the track leaves nothing to finish; the compile must
    // still end with a code, whatever stopped it.
    if (!c.codes.any()) c.codes.record(Code::failure);
  } else if (completed(c)) {
    result.has_files = true;
  } else {
    result.header_conflict = true;
  }
  result.model = std::move(c.model);
  result.code = c.codes.last();
  return result;
}

}  // namespace scenario
