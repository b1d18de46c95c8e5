// The running-time input of a stretch of track, so that check and documents time a run alike:
// each cell's speed, gradient and adhesion, and the train's figures.
#pragma once

#include <cstdint>
#include <vector>

#include "format/model.h"
#include "scenario_tool/check/running_time.h"

namespace scenario::tool {

struct TrainFigures {
  double accel_m_s2 = 0.4;
  double decel_m_s2 = 0.6;
  double braked_mass_percent = 100.0;  // the table's; 100 when it has none
  double dwell_s = 0.0;
};

// The cells [first, last) of `track` with `speeds_kmh` (one per track cell), no stop marked
// yet. A cell without a gradient record counts as flat.
RunningTimeInput running_input(const std::vector<TrackCell>& track,
                               const std::vector<double>& speeds_kmh, std::int64_t first,
                               std::int64_t last, const TrainFigures& train);

// The braked-mass percentage the model takes from a table's value: 100 when it is not positive.
double braked_mass_or_default(std::int32_t percent);

}  // namespace scenario::tool
