// What follows the reading once the track exists: the finishing pass, then the header slots with
// the competition codes.
#pragma once

#include "compiler/compilation.h"

namespace scenario {

// Needs a track of at least two cells. A header conflict throws HeaderConflict.
void complete_model(Compilation& c);

}  // namespace scenario
