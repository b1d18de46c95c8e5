// Running times over a line of equal cells, each with the highest speed allowed in it: the lower
// bound (every cell at its own speed, changes of speed instant) and the minimum-time estimate
// (a forward pass accelerating, a backward pass braking, the lower of the two at every cell
// boundary, and in each cell the fastest run between its two boundary speeds). The rates of each
// cell follow its gradient and adhesion and the train's braked-mass percentage; a climb also
// caps the speed at what the train's power holds there. docs/check.md states the formulas.
#pragma once

#include <vector>

namespace scenario::tool {

// The model's constants: gravity, the power per tonne that holds a speed on a climb, and the
// floors that keep a rate positive on any gradient.
inline constexpr double kGravity_m_s2 = 9.81;
inline constexpr double kSpecificPower_W_kg = 10.0;
inline constexpr double kMinAccel_m_s2 = 0.05;
inline constexpr double kMinDecel_m_s2 = 0.1;
// Adhesion as the track holds it: 100 where the rail is good; never taken below this share.
inline constexpr double kGoodAdhesion = 100.0;
inline constexpr double kLeastAdhesionShare = 0.2;

struct RunningTimeInput {
  double cell_m = 50.0;
  std::vector<double> cap_m_s;  // per cell; 0 or less: the cell cannot be driven
  // One per cell boundary (cap_m_s.size() + 1): the train stands still there.
  std::vector<bool> stop;
  double accel_m_s2 = 0.4;  // on the flat, good rail
  double decel_m_s2 = 0.6;  // on the flat, good rail, 100 % braked mass
  // Per cell when given, none meaning flat and good rail: per mille, positive a climb in the
  // direction of the run; adhesion, 100 good and less poor.
  std::vector<double> gradient_per_mille;
  std::vector<double> adhesion;
  double braked_mass_percent = 100.0;
  double dwell_s = 0.0;  // at each stop but the first and the last boundary
};

// Seconds spent in each cell; infinity in a cell that cannot be driven.
struct CellTimes {
  std::vector<double> lower_bound;
  std::vector<double> estimate;
  std::vector<double> top_m_s;     // per cell: the highest speed of the estimate in it
  std::vector<double> standing_s;  // per boundary: the dwell where the train stops on the way
};

// The rates of one cell.
struct CellRates {
  double accel_m_s2 = 0.0;
  double decel_m_s2 = 0.0;
  double cap_m_s = 0.0;  // the cell's cap, lowered on a climb to the speed the power holds
};
CellRates cell_rates(const RunningTimeInput& in, std::size_t cell);

CellTimes running_times(const RunningTimeInput& in);

// The seconds to cover `cell_m` starting at u0 and ending at u1 (m/s) without passing v_max,
// accelerating at `a` and braking at `b` at most; u0 and u1 must be reachable from each other.
double fastest_cell_time(double cell_m, double u0, double u1, double v_max, double a, double b);

// The highest speed of that run.
double fastest_cell_top(double cell_m, double u0, double u1, double v_max, double a, double b);

}  // namespace scenario::tool
