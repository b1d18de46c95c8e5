// The running-time arithmetic against the closed forms of uniform motion, and the bounds that
// must hold between the lower bound and the estimate on any line.
#include "scenario_tool/check/running_time.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// 2 km from a standstill to a standstill under 72 km/h (20 m/s), at 0.4 m/s2 up and 0.6 down on
// the flat and good rail, worked by hand: reaching v takes v / a s over v² / 2a m, stopping v / b
// s over v² / 2b m, the rest is run at v. Gravity 9.81 m/s2 takes g × i / 1000 from a and adds
// it to b on a climb of i per mille; adhesion and braked mass scale the rates by their share.
TEST(RunningTimeTest, HandWorkedSectionsOfTheModel) {
  struct Case {
    const char* what;
    void (*shape)(RunningTimeInput&);
    double expected;  // seconds, the dwell included
  };
  const Case cases[] = {
      // 50 s over 500 m, 33.33 s over 333.33 m, 1166.67 m at 20 m/s in 58.33 s.
      {"flat, one limit", [](RunningTimeInput&) {}, 141.666667},
      // 50 s to 20 m/s; 250 m braking to 10 m/s in 16.67 s before 1000 m; 100 m at 10 m/s in
      // 10 s; 375 m back to 20 m/s in 25 s; 33.33 s stopping; 441.67 m at 20 m/s in 22.08 s.
      {"a lower limit in the middle",
       [](RunningTimeInput& in) { in.cap_m_s[20] = in.cap_m_s[21] = 10; }, 157.083333},
      // 10 per mille: a = 0.3019, b = 0.6981: 66.25 s over 662.47 m, 28.65 s over 286.49 m,
      // 1051.04 m at 20 m/s in 52.55 s.
      {"a climb", [](RunningTimeInput& in) { in.gradient_per_mille.assign(40, 10); }, 147.448146},
      // -10 per mille: a = 0.4981, b = 0.5019: 40.15 s over 401.53 m, 39.85 s over 398.49 m,
      // 1199.99 m in 60.00 s: the braking is held back, the start helped.
      {"a descent", [](RunningTimeInput& in) { in.gradient_per_mille.assign(40, -10); },
       140.000578},
      // Adhesion 50: a = 0.2, b = 0.3: 100 s over 1000 m, 66.67 s over 666.67 m, 333.33 m in
      // 16.67 s.
      {"bad adhesion", [](RunningTimeInput& in) { in.adhesion.assign(40, 50); }, 183.333333},
      // Braked mass 50 %: b = 0.3: 50 s over 500 m, 66.67 s over 666.67 m, 833.33 m in 41.67 s.
      {"low braked mass", [](RunningTimeInput& in) { in.braked_mass_percent = 50; }, 158.333333},
      // A stop at 1 km with a 30 s dwell: twice 1 km of 50 + 33.33 + 166.67 / 20 = 91.67 s.
      {"a stop on the way",
       [](RunningTimeInput& in) {
         in.stop[20] = true;
         in.dwell_s = 30;
       },
       2 * 91.666667 + 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RunningTimeInput in = uniform_line(40, 20);
    c.shape(in);
    const CellTimes t = running_times(in);
    EXPECT_NEAR(total(t.estimate) + total(t.standing_s), c.expected, 1e-5);
  }
}

TEST(RunningTimeTest, ASteepClimbHoldsTheTrainToWhatItsPowerKeepsUp) {
  // 40 per mille: 10 W/kg hold 10 / (9.81 × 0.04) = 25.48 m/s; under a 30 m/s limit the top of
  // the run is that speed, and the gravity leaves less than the floor of 0.05 m/s2 to accelerate.
  RunningTimeInput in = uniform_line(400, 30);
  in.gradient_per_mille.assign(400, 40);
  const CellTimes t = running_times(in);
  const double hold = kSpecificPower_W_kg / (kGravity_m_s2 * 0.04);
  EXPECT_NEAR(*std::max_element(t.top_m_s.begin(), t.top_m_s.end()), hold, 1e-9);
  const CellRates r = cell_rates(in, 0);
  EXPECT_DOUBLE_EQ(r.accel_m_s2, kMinAccel_m_s2);
  EXPECT_NEAR(r.decel_m_s2, 0.6 + 0.3924, 1e-12);
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
    // Braking harder or accelerating harder never makes the run longer; poorer rail, less
    // braked mass or a climb never makes it shorter.
    RunningTimeInput brisk = in;
    brisk.accel_m_s2 *= 2;
    brisk.decel_m_s2 *= 2;
    EXPECT_LE(total(running_times(brisk).estimate), total(t.estimate) + 1e-9);
    RunningTimeInput poor = in;
    poor.adhesion.assign(in.cap_m_s.size(), 60);
    poor.braked_mass_percent = 70;
    EXPECT_GE(total(running_times(poor).estimate), total(t.estimate) - 1e-9);
    RunningTimeInput climb = in;
    climb.gradient_per_mille.assign(in.cap_m_s.size(), 12);
    EXPECT_GE(total(running_times(climb).estimate), total(t.estimate) - 1e-9);
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
