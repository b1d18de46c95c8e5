// The pass over the finished track that places the code markers around slowdowns: before the
// signals ahead of a warning, in three bands before a start, every 8 cells inside a slow
// slowdown, and before the first signal after its end.
#pragma once

#include <vector>

#include "compiler/code_log.h"
#include "format/model.h"

namespace scenario {

// Records 11, 12 or 13 (position = cell index x 50) when a marker finds no room, and goes on.
void finishing_pass(std::vector<TrackCell>& track, CodeLog& codes);

}  // namespace scenario
