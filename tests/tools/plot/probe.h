// What the tests of `plot` read off the pictures (values through the axes' own tick marks) and
// what they expect from the bytes of a track file, read here without the tool's decoder.
#pragma once

#include <string>
#include <vector>

#include "tools/plot/xml.h"

namespace scenario::testing {

// A straight line through two tick marks of an axis: page coordinate to value.
class TickAxis {
 public:
  // The ticks are the groups of class `tick_class`, each a <line> and a <text> with the value;
  // `horizontal` reads x1 of the line, else y1.
  TickAxis(const XmlElement& svg, const std::string& tick_class, bool horizontal);
  double value(double page) const;

 private:
  double p0_ = 0, v0_ = 0, p1_ = 1, v1_ = 1;
};

// A step of the speed line, in metres and km/h.
struct SpeedStep {
  double start_m = 0;
  double end_m = 0;
  double kmh = 0;
};

// The horizontal segments of the profile's speed polylines, read through the axes.
std::vector<SpeedStep> speed_steps_drawn(const XmlElement& profile);

// The elevation at the last point of the last elevation polyline, and the metres there.
struct ElevationEnd {
  double metres = 0;
  double elevation = 0;
};
ElevationEnd elevation_end_drawn(const XmlElement& profile);

// From the raw bytes of a track file (15 bytes a cell; byte 12 speed / 5, byte 13 gradient +
// 100): the stretches of equal nonzero speed, and the elevation the gradients add up to
// (a gradient byte of 0 counts nothing).
std::vector<SpeedStep> speed_runs_in_file(const std::string& track_file);
double gradient_sum_in_file(const std::string& track_file);
// The cells whose kind byte is `kind`.
std::vector<int> cells_in_file(const std::string& track_file, int kind);

// The metres along the profile at page x, read through the kilometre ticks.
double km_tick_x_to_metres(const XmlElement& profile, double x);

}  // namespace scenario::testing
