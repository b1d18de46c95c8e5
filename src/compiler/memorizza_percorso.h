// The compiler's driver: clears the table, reads the sources, finishes the track, fills the
// header slots and writes the line, table and track files.
#pragma once

#include <cstdint>

namespace scenario {

struct GeneratorState;

void memorizza_percorso(GeneratorState& state, std::int32_t flag);

// The smaller of two values; the first when they are equal.
template <typename T>
T minimo(T a, T b) {
  return a > b ? b : a;
}

}  // namespace scenario
