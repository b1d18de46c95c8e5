// Stations and signals both write approach codes into the cells before them, without looking, so
// where they meet the one read last wins. The generator's own order reads the stations first; a
// cell that holds a station's code where a signal also writes tells that this signal came first.
#include <map>

#include "scenario_tool/decompile/recover_parts.h"

namespace scenario::tool {

namespace {

constexpr std::int32_t kFirstNoStopType = 25;
constexpr int kApproachBase = 80;
constexpr int kApproachCells = 4;

// cell -> code, for every approach code the stations write.
std::map<std::int64_t, int> station_codes(const RecoveredScenario& out) {
  std::map<std::int64_t, int> codes;
  for (const StationRecord& st : out.stations) {
    if (st.tipo >= kFirstNoStopType || st.tipo == 5 || st.tipo == 6) continue;
    // The zone's end as the reader derives it; a multiple of 50, so the quotient is exact.
    const std::int64_t end =
        st.tipo == 7 || st.tipo == 8
            ? std::int64_t{st.position} + st.length
            : std::int64_t{st.position} + st.length / 2 + (st.mar != 0 ? cell_metres : 0);
    for (int k = 1; k <= kApproachCells; ++k) {
      if (end > cell_metres * (k + 2)) codes[end / cell_metres - k - 1] = kApproachBase + k;
    }
  }
  return codes;
}

}  // namespace

void order_approach_codes(const std::vector<TrackCell>& track, RecoveredScenario& out) {
  const std::map<std::int64_t, int> stations = station_codes(out);
  if (stations.empty()) return;
  for (SignalRecord& signal : out.signals) {
    const std::int64_t c = signal.position / cell_metres + 1;
    const std::int64_t side = signal_side_code(signal.values);
    for (int b = 1; b <= 4; ++b) {
      const std::int64_t a = c - 2 * b;
      const auto station = stations.find(a);
      if (station == stations.end() || a < 0 || a >= static_cast<std::int64_t>(track.size())) {
        continue;
      }
      const int stored = track[static_cast<std::size_t>(a)].approach_code;
      const auto own = static_cast<std::uint8_t>(side * 10 + b);
      if (stored == station->second && stored != own) signal.before_stations = true;
    }
  }
}

}  // namespace scenario::tool
