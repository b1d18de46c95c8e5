#include "scenario_tool/plot/scale.h"

#include <algorithm>
#include <cmath>

namespace scenario::tool {

LinearScale::LinearScale(double d0, double d1, double r0, double r1)
    : d0_(d0), d1_(d1), r0_(r0), r1_(r1) {}

double LinearScale::operator()(double v) const {
  if (d1_ == d0_) return (r0_ + r1_) / 2;
  return r0_ + (v - d0_) * (r1_ - r0_) / (d1_ - d0_);
}

double nice_step(double span, int count) {
  if (!(span > 0) || count < 1) return 1;
  const double raw = span / count;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0}) {
    if (raw <= m * power) return m * power;
  }
  return 10 * power;
}

double spaced_step(double span, double width, double least, double floor) {
  if (!(span > 0) || !(width > 0)) return floor;
  return std::max(nice_step(span * least / width, 1), floor);
}

double floor_to(double v, double step) { return std::floor(v / step) * step; }

double ceil_to(double v, double step) { return std::ceil(v / step) * step; }

std::vector<double> ticks(double lo, double hi, double step) {
  std::vector<double> out;
  if (!(step > 0) || hi < lo) return out;
  // Counted in steps so that no rounding error drifts the marks.
  const auto first = static_cast<long long>(std::ceil(lo / step - 1e-9));
  const auto last = static_cast<long long>(std::floor(hi / step + 1e-9));
  for (long long k = first; k <= last; ++k) out.push_back(static_cast<double>(k) * step);
  return out;
}

}  // namespace scenario::tool
