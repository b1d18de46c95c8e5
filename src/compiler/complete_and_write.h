// What follows the reading once the track exists: the finishing pass, the header slots with the
// competition codes, and the compiled files.
#pragma once

namespace scenario {

struct GeneratorState;

// Needs a track of at least two cells. A header conflict ends the run through `errore` before
// any file is written.
void complete_and_write(GeneratorState& state);

}  // namespace scenario
