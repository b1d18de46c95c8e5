// The smaller of two values, as the compiler's passes take it.
#pragma once

namespace scenario {

// The first when they are equal.
template <typename T>
T minimo(T a, T b) {
  return a > b ? b : a;
}

}  // namespace scenario
