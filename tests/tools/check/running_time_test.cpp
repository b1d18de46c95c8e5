// The running-time arithmetic against the closed forms of uniform motion, and the bounds that
// must hold between the lower bound and the estimate on any line.
#include "scenario_tool/check/running_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace scenario::tool {
namespace {

RunningTimeInput uniform_line(int cells, double v_m_s) {
  RunningTimeInput in;
  in.cap_m_s.assign(static_cast<std::size_t>(cells), v_m_s);
  in.stop.assign(static_cast<std::size_t>(cells) + 1, false);
  in.stop.front() = true;
  in.stop.back() = true;
  return in;
}

double total(const std::vector<double>& v) {
  double t = 0;
  for (double x : v) t += x;
  return t;
}

TEST(RunningTimeTest, FromRestToRestMatchesTheClosedForms) {
  struct Case {
    const char* what;
    int cells;
    double v;
    double expected;  // seconds
  };
  const double v = 100 / 3.6;
  const double a = 0.4;
  const double b = 0.6;
  // Reaching v: L / v + v / 2a + v / 2b. Too short to reach it: the peak p with
  // p² (1/2a + 1/2b) = L, then p / a + p / b.
  const double peak = std::sqrt(100 / (1 / (2 * a) + 1 / (2 * b)));
  const Case cases[] = {
      {"10 km at 100 km/h", 200, v, 10000 / v + v / (2 * a) + v / (2 * b)},
      {"100 m, never at 100 km/h", 2, v, peak / a + peak / b},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const CellTimes t = running_times(uniform_line(c.cells, c.v));
    EXPECT_NEAR(total(t.estimate), c.expected, 1e-6);
    EXPECT_NEAR(total(t.lower_bound), c.cells * 50 / c.v, 1e-9);
  }
}

TEST(RunningTimeTest, ASlowCellIsReachedBrakingAndLeftAccelerating) {
  // 4 km at 100 km/h with 50 m at 20 km/h in the middle, not a stop: the train brakes to 20 km/h
  // before the slow cell and accelerates after it, so it loses the time of both ramps.
  RunningTimeInput in = uniform_line(80, 100 / 3.6);
  in.cap_m_s[40] = 20 / 3.6;
  const double v = 100 / 3.6;
  const double u = 20 / 3.6;
  const double a = 0.4;
  const double b = 0.6;
  const double ramps = v / (2 * a) + v / (2 * b);  // the start and the stop
  const double dip_distance = (v * v - u * u) / (2 * b) + (v * v - u * u) / (2 * a);
  const double dip_time = (v - u) / b + (v - u) / a;
  const double expected = ramps + (4000 - 50 - dip_distance) / v + dip_time + 50 / u;
  const CellTimes t = running_times(in);
  EXPECT_NEAR(total(t.estimate), expected, 1e-6);
}

TEST(RunningTimeTest, OnRandomLinesTheEstimateIsNeverBelowTheLowerBoundInAnyCell) {
  std::mt19937 rng(16);
  std::uniform_int_distribution<int> speed_kmh(1, 60);
  std::uniform_int_distribution<int> stop_every(0, 30);
  for (int line = 0; line < 200; ++line) {
    RunningTimeInput in = uniform_line(100, 0);
    for (double& cap : in.cap_m_s) cap = speed_kmh(rng) * 5 / 3.6;
    for (std::size_t j = 1; j + 1 < in.stop.size(); ++j) in.stop[j] = stop_every(rng) == 0;
    const CellTimes t = running_times(in);
    for (std::size_t i = 0; i < in.cap_m_s.size(); ++i) {
      ASSERT_TRUE(std::isfinite(t.estimate[i]));
      ASSERT_GE(t.estimate[i], t.lower_bound[i] - 1e-9) << "line " << line << " cell " << i;
    }
    // Braking harder or accelerating harder never makes the run longer.
    RunningTimeInput brisk = in;
    brisk.accel_m_s2 *= 2;
    brisk.decel_m_s2 *= 2;
    EXPECT_LE(total(running_times(brisk).estimate), total(t.estimate) + 1e-9);
  }
}

TEST(RunningTimeTest, ACellWithoutASpeedCannotBeDriven) {
  RunningTimeInput in = uniform_line(3, 10);
  in.cap_m_s[1] = 0;
  const CellTimes t = running_times(in);
  EXPECT_TRUE(std::isinf(t.lower_bound[1]));
  EXPECT_TRUE(std::isinf(t.estimate[1]));
  EXPECT_TRUE(std::isfinite(t.estimate[0]));
}

}  // namespace
}  // namespace scenario::tool
