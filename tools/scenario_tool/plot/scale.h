// Mapping values onto the page and choosing round tick steps for the axes of `plot`.
#pragma once

#include <vector>

namespace scenario::tool {

// Maps [d0, d1] onto [r0, r1]; a domain of no width maps everything to the middle of the range.
class LinearScale {
 public:
  LinearScale(double d0, double d1, double r0, double r1);
  double operator()(double v) const;

 private:
  double d0_, d1_, r0_, r1_;
};

// The step of 1, 2 or 5 times a power of ten that cuts `span` into about `count` parts.
double nice_step(double span, int count);

// The step of 1, 2 or 5 times a power of ten, no less than `floor`, whose marks stand at least
// `least` units apart where `span` takes `width` units: labels of the marks up to `least` wide
// then never run into each other, whatever the length drawn.
double spaced_step(double span, double width, double least, double floor);

// The multiples of `step` within [lo, hi], ends included.
std::vector<double> ticks(double lo, double hi, double step);

// v rounded down, or up, to a multiple of `step`.
double floor_to(double v, double step);
double ceil_to(double v, double step);

}  // namespace scenario::tool
