// What follows the reading once the track exists: the finishing pass, the header slots with the
// competition codes, and the compiled files.
#pragma once

#include "compiler/compilation.h"

namespace scenario {

// Needs a track of at least two cells. A header conflict throws HeaderConflict before any file
// is written.
void complete_and_write(Compilation& c);

}  // namespace scenario
