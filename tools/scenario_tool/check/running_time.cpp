#include "scenario_tool/check/running_time.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace scenario::tool {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

double per_cell(const std::vector<double>& values, std::size_t cell, double otherwise) {
  return cell < values.size() ? values[cell] : otherwise;
}

// The highest speed at each boundary: the lower cap of the two cells beside it, 0 at a stop.
std::vector<double> boundary_caps(const std::vector<CellRates>& rates,
                                  const std::vector<bool>& stop) {
  const std::size_t n = rates.size();
  std::vector<double> caps(n + 1, 0.0);
  for (std::size_t j = 0; j <= n; ++j) {
    const double before = j > 0 ? rates[j - 1].cap_m_s : kInfinity;
    const double after = j < n ? rates[j].cap_m_s : kInfinity;
    caps[j] = stop[j] ? 0.0 : std::max(0.0, std::min(before, after));
  }
  return caps;
}

// Forward accelerating, then backward braking: the highest speeds the train can hold at each
// boundary.
std::vector<double> boundary_speeds(const std::vector<CellRates>& rates,
                                    const std::vector<bool>& stop, double cell_m) {
  std::vector<double> u = boundary_caps(rates, stop);
  for (std::size_t j = 1; j < u.size(); ++j) {
    u[j] = std::min(u[j], std::sqrt(u[j - 1] * u[j - 1] + 2.0 * rates[j - 1].accel_m_s2 * cell_m));
  }
  for (std::size_t j = u.size() - 1; j-- > 0;) {
    u[j] = std::min(u[j], std::sqrt(u[j + 1] * u[j + 1] + 2.0 * rates[j].decel_m_s2 * cell_m));
  }
  return u;
}

// The peak of a run that cannot reach v_max: where the accelerating and braking parabolas meet.
double meeting_peak(double cell_m, double u0, double u1, double a, double b) {
  const double peak_sq =
      (cell_m + u0 * u0 / (2.0 * a) + u1 * u1 / (2.0 * b)) / (1.0 / (2.0 * a) + 1.0 / (2.0 * b));
  return std::max({std::sqrt(peak_sq), u0, u1});
}

bool reaches_top(double cell_m, double u0, double u1, double v_max, double a, double b) {
  return (v_max * v_max - u0 * u0) / (2.0 * a) + (v_max * v_max - u1 * u1) / (2.0 * b) <= cell_m;
}

}  // namespace

CellRates cell_rates(const RunningTimeInput& in, std::size_t cell) {
  const double grade = per_cell(in.gradient_per_mille, cell, 0.0) / 1000.0;
  const double share = std::clamp(per_cell(in.adhesion, cell, kGoodAdhesion) / kGoodAdhesion,
                                  kLeastAdhesionShare, 1.0);
  const double braked = in.braked_mass_percent / 100.0;
  CellRates r;
  r.accel_m_s2 = std::max(kMinAccel_m_s2, in.accel_m_s2 * share - kGravity_m_s2 * grade);
  r.decel_m_s2 = std::max(kMinDecel_m_s2, in.decel_m_s2 * braked * share + kGravity_m_s2 * grade);
  r.cap_m_s = in.cap_m_s[cell];
  if (grade > 0.0) r.cap_m_s = std::min(r.cap_m_s, kSpecificPower_W_kg / (kGravity_m_s2 * grade));
  return r;
}

double fastest_cell_time(double cell_m, double u0, double u1, double v_max, double a, double b) {
  if (v_max <= 0.0) return kInfinity;
  if (reaches_top(cell_m, u0, u1, v_max, a, b)) {
    const double to_top = (v_max * v_max - u0 * u0) / (2.0 * a);
    const double from_top = (v_max * v_max - u1 * u1) / (2.0 * b);
    return (v_max - u0) / a + (v_max - u1) / b + (cell_m - to_top - from_top) / v_max;
  }
  const double peak = meeting_peak(cell_m, u0, u1, a, b);
  return (peak - u0) / a + (peak - u1) / b;
}

double fastest_cell_top(double cell_m, double u0, double u1, double v_max, double a, double b) {
  if (v_max <= 0.0) return 0.0;
  if (reaches_top(cell_m, u0, u1, v_max, a, b)) return v_max;
  return meeting_peak(cell_m, u0, u1, a, b);
}

CellTimes running_times(const RunningTimeInput& in) {
  const std::size_t n = in.cap_m_s.size();
  std::vector<CellRates> rates;
  for (std::size_t i = 0; i < n; ++i) rates.push_back(cell_rates(in, i));
  const std::vector<double> u = boundary_speeds(rates, in.stop, in.cell_m);
  CellTimes t;
  for (std::size_t i = 0; i < n; ++i) {
    const CellRates& r = rates[i];
    t.lower_bound.push_back(in.cap_m_s[i] > 0.0 ? in.cell_m / in.cap_m_s[i] : kInfinity);
    t.estimate.push_back(
        fastest_cell_time(in.cell_m, u[i], u[i + 1], r.cap_m_s, r.accel_m_s2, r.decel_m_s2));
    t.top_m_s.push_back(
        fastest_cell_top(in.cell_m, u[i], u[i + 1], r.cap_m_s, r.accel_m_s2, r.decel_m_s2));
  }
  t.standing_s.assign(n + 1, 0.0);
  for (std::size_t j = 1; j < n; ++j) t.standing_s[j] = in.stop[j] ? in.dwell_s : 0.0;
  return t;
}

}  // namespace scenario::tool
