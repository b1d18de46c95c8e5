#include "scenario_tool/decompile/recover.h"

#include "format/table_entries.h"
#include "scenario_tool/decompile/recover_parts.h"

namespace scenario::tool {

RecoveredScenario recover_scenario(const std::vector<TrackCell>& track, const SimTable& table,
                                   const LineSteps* line) {
  RecoveredScenario out;
  out.names.route_id = entries::route_id(table);
  out.names.train_number = entries::train_number(table);
  out.has_line = line != nullptr;
  // Cell 1's first two values are the header and a competition code, not a feature's.
  std::vector<TrackCell> features = track;
  if (features.size() > header_cell) {
    features[header_cell].value1 = 0;
    features[header_cell].value2 = 0;
  }
  recover_general(table, out);
  recover_stretches(features, out);
  recover_point_features(features, out);
  recover_table_features(features, table, out);
  order_approach_codes(features, out);
  if (line != nullptr) recover_curves(*line, out);
  return out;
}

}  // namespace scenario::tool
