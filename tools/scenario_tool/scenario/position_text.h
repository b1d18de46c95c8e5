// The one way the tool prints a position on the line in prose and tables: "km 10.300", whole
// metres after the point. A source line, where one is known, is printed as FILE:LINE beside it.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace scenario::tool {

inline std::string km_position(std::int64_t metres) {
  const std::int64_t whole = metres < 0 ? -metres : metres;
  char text[40];
  std::snprintf(text, sizeof text, "km %s%lld.%03lld", metres < 0 ? "-" : "",
                static_cast<long long>(whole / 1000), static_cast<long long>(whole % 1000));
  return text;
}

inline std::string km_position(int metres) {
  return km_position(static_cast<std::int64_t>(metres));
}

// A position held as a fraction of metres, rounded half to even to the metre.
inline std::string km_position(double metres) {
  return km_position(static_cast<std::int64_t>(std::nearbyint(metres)));
}

}  // namespace scenario::tool
