// The compiler's driver: clears the table, reads the sources, finishes the track, fills the
// header slots and writes the line, table and track files.
#pragma once

#include <cstdint>

#include "compiler/compilation.h"

namespace scenario {

// `flag` 0 leaves out the line geometry and the line file. The codes recorded are in c.codes; a
// header conflict throws HeaderConflict and a file that cannot be written FileError.
void memorizza_percorso(Compilation& c, std::int32_t flag);

// The smaller of two values; the first when they are equal.
template <typename T>
T minimo(T a, T b) {
  return a > b ? b : a;
}

}  // namespace scenario
