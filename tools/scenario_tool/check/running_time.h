// Running times over a line of equal cells, each with the highest speed allowed in it: the lower
// bound (every cell at its own speed, changes of speed instant) and the minimum-time estimate
// with a constant acceleration and braking (a forward pass accelerating, a backward pass
// braking, the lower of the two at every cell boundary, and in each cell the fastest run between
// its two boundary speeds).
#pragma once

#include <vector>

namespace scenario::tool {

struct RunningTimeInput {
  double cell_m = 50.0;
  std::vector<double> cap_m_s;  // per cell; 0 or less: the cell cannot be driven
  // One per cell boundary (cap_m_s.size() + 1): the train stands still there.
  std::vector<bool> stop;
  double accel_m_s2 = 0.4;
  double decel_m_s2 = 0.6;
};

// Seconds spent in each cell; infinity in a cell that cannot be driven.
struct CellTimes {
  std::vector<double> lower_bound;
  std::vector<double> estimate;
};

CellTimes running_times(const RunningTimeInput& in);

// The seconds to cover `cell_m` starting at u0 and ending at u1 (m/s) without passing v_max,
// accelerating at `a` and braking at `b` at most; u0 and u1 must be reachable from each other.
double fastest_cell_time(double cell_m, double u0, double u1, double v_max, double a, double b);

}  // namespace scenario::tool
