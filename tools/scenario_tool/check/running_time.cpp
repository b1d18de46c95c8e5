#include "scenario_tool/check/running_time.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace scenario::tool {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The highest speed at each boundary: the lower cap of the two cells beside it, 0 at a stop.
std::vector<double> boundary_caps(const RunningTimeInput& in) {
  const std::size_t n = in.cap_m_s.size();
  std::vector<double> caps(n + 1, 0.0);
  for (std::size_t j = 0; j <= n; ++j) {
    const double before = j > 0 ? in.cap_m_s[j - 1] : kInfinity;
    const double after = j < n ? in.cap_m_s[j] : kInfinity;
    caps[j] = in.stop[j] ? 0.0 : std::max(0.0, std::min(before, after));
  }
  return caps;
}

// Forward accelerating, then backward braking: the highest speeds the train can hold at each
// boundary.
std::vector<double> boundary_speeds(const RunningTimeInput& in) {
  std::vector<double> u = boundary_caps(in);
  const double up = 2.0 * in.accel_m_s2 * in.cell_m;
  const double down = 2.0 * in.decel_m_s2 * in.cell_m;
  for (std::size_t j = 1; j < u.size(); ++j)
    u[j] = std::min(u[j], std::sqrt(u[j - 1] * u[j - 1] + up));
  for (std::size_t j = u.size() - 1; j-- > 0;) {
    u[j] = std::min(u[j], std::sqrt(u[j + 1] * u[j + 1] + down));
  }
  return u;
}

}  // namespace

double fastest_cell_time(double cell_m, double u0, double u1, double v_max, double a, double b) {
  if (v_max <= 0.0) return kInfinity;
  const double to_top = (v_max * v_max - u0 * u0) / (2.0 * a);
  const double from_top = (v_max * v_max - u1 * u1) / (2.0 * b);
  if (to_top + from_top <= cell_m) {
    return (v_max - u0) / a + (v_max - u1) / b + (cell_m - to_top - from_top) / v_max;
  }
  // No room to reach v_max: accelerate to the peak where the two parabolas meet, then brake.
  const double peak_sq =
      (cell_m + u0 * u0 / (2.0 * a) + u1 * u1 / (2.0 * b)) / (1.0 / (2.0 * a) + 1.0 / (2.0 * b));
  const double peak = std::max({std::sqrt(peak_sq), u0, u1});
  return (peak - u0) / a + (peak - u1) / b;
}

CellTimes running_times(const RunningTimeInput& in) {
  const std::size_t n = in.cap_m_s.size();
  CellTimes t;
  t.lower_bound.resize(n);
  t.estimate.resize(n);
  const std::vector<double> u = boundary_speeds(in);
  for (std::size_t i = 0; i < n; ++i) {
    const double v = in.cap_m_s[i];
    t.lower_bound[i] = v > 0.0 ? in.cell_m / v : kInfinity;
    t.estimate[i] = fastest_cell_time(in.cell_m, u[i], u[i + 1], v, in.accel_m_s2, in.decel_m_s2);
  }
  return t;
}

}  // namespace scenario::tool
