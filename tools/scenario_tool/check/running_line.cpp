#include "scenario_tool/check/running_line.h"

#include "format/cell_values.h"
#include "format/constants.h"

namespace scenario::tool {

RunningTimeInput running_input(const std::vector<TrackCell>& track,
                               const std::vector<double>& speeds_kmh, std::int64_t first,
                               std::int64_t last, const TrainFigures& train) {
  RunningTimeInput in;
  in.cell_m = static_cast<double>(cell_metres);
  in.accel_m_s2 = train.accel_m_s2;
  in.decel_m_s2 = train.decel_m_s2;
  in.braked_mass_percent = train.braked_mass_percent;
  in.dwell_s = train.dwell_s;
  for (std::int64_t c = first; c < last; ++c) {
    const auto i = static_cast<std::size_t>(c);
    in.cap_m_s.push_back(speeds_kmh[i] / 3.6);
    in.gradient_per_mille.push_back(gradient_per_mille(track[i]).value_or(0));
    // A byte of 0 was never written: the rail counts as good there.
    const int adhesion = track[i].adhesion;
    in.adhesion.push_back(adhesion > 0 ? adhesion : kGoodAdhesion);
  }
  in.stop.assign(in.cap_m_s.size() + 1, false);
  return in;
}

double braked_mass_or_default(std::int32_t percent) {
  return percent > 0 ? static_cast<double>(percent) : 100.0;
}

}  // namespace scenario::tool
