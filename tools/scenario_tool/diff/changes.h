// The parts of a diff, each comparing one concern of two scenarios. Values and meanings come from
// the decoded scenarios and the typed report of `inspect --cells`, and are written as its JSON
// writes them, so that a diff says a thing exactly as `inspect` says it.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "format/model.h"
#include "scenario_tool/inspect/report.h"
#include "scenario_tool/scenario/json.h"
#include "scenario_tool/scenario/scenario.h"

namespace scenario::tool {

// A compared value: none where its part is missing (a file not decoded), a number or a text.
using Value = std::variant<std::monostate, std::int64_t, std::string>;
Json value_json(const Value& v);

struct ValueChange {
  const char* item = "";
  Value old_value;
  Value new_value;
};
// {item, old, new}, as the JSON lists each change.
Json value_changes_json(const std::vector<ValueChange>& changes);

// Each identifier, header value and competition code that differs.
std::vector<ValueChange> identifier_changes(const InspectReport& before,
                                            const InspectReport& after);

// Each general value that differs: route length, kilometre points, backgrounds, code
// repetition, clock, sand, braked mass, coaches.
std::vector<ValueChange> general_changes(const InspectReport& before, const InspectReport& after);

// Stations matched by name: added, removed, changed column by column, in the order of the line;
// then the names both sides have, when they come in another order.
struct StationChange {
  enum class What { removed, changed, added, reordered };
  struct Column {
    const char* column = "";  // as inspect names it: "type", "position_m", ...
    Value old_value;
    Value new_value;
  };
  What what = What::removed;
  std::optional<Station> station;  // the station removed, added or changed (its old entry)
  std::int64_t position_m = 0;     // the new position of a changed station
  std::vector<Column> columns;
  std::vector<std::string> old_order;
  std::vector<std::string> new_order;
};
std::vector<StationChange> station_changes(const std::vector<Station>& old_stations,
                                           const std::vector<Station>& new_stations);
Json station_changes_json(const std::vector<StationChange>& changes);

// Signboards matched by text: added and removed, those without a cell last.
struct SignChange {
  bool added = false;
  Sign sign;
};
std::vector<SignChange> signboard_changes(const std::vector<Sign>& old_signs,
                                          const std::vector<Sign>& new_signs);
Json signboard_changes_json(const std::vector<SignChange>& changes);

// Occupied cells compared by kind at their cell: added, removed, changed, and moved when the same
// kind and meaning lies at most `move_window_cells` away.
inline constexpr std::int64_t move_window_cells = 20;
struct FeatureChange {
  // In this order at one cell: what went before what came.
  enum class What { removed, changed, moved, added };
  What what = What::removed;
  Feature before;                // the old feature, or the added one
  std::optional<Feature> after;  // the new feature of a change or a move
};
std::vector<FeatureChange> feature_changes(const std::vector<Feature>& old_features,
                                           const std::vector<Feature>& new_features);

// "removed", "changed", "moved", "added".
const char* change_name(FeatureChange::What what);

// The changes as the JSON of diff lists them.
Json feature_changes_json(const std::vector<FeatureChange>& changes);

// Runs of cells, over the cells both tracks have, where a stretch property differs. Of tracks of
// different lengths, the shorter one's last cells that the compile never wrote are left out.
struct CellSpan {
  std::int64_t first_cell = 0;
  std::int64_t last_cell = 0;

  std::int64_t start_m() const { return first_cell * cell_metres; }
  std::int64_t end_m() const { return (last_cell + 1) * cell_metres; }
};
struct StretchChange {
  const char* property = "";  // as inspect names it: "gradient", "speed_limit_kmh", ...
  CellSpan cells;
  std::optional<int> old_value;
  std::optional<int> new_value;
};
std::vector<StretchChange> stretch_changes(const std::vector<TrackCell>& old_track,
                                           const std::vector<TrackCell>& new_track);
Json stretch_changes_json(const std::vector<StretchChange>& changes);

// Spans of cells, over the same cells, where approach codes differ, with at most one unchanged
// cell between two changed ones; `old` and `new` list the codes of every cell of the span.
struct ApproachCodeChange {
  CellSpan cells;
  std::vector<int> old_codes;
  std::vector<int> new_codes;
};
std::vector<ApproachCodeChange> approach_code_changes(const std::vector<TrackCell>& old_track,
                                                      const std::vector<TrackCell>& new_track);
Json approach_code_changes_json(const std::vector<ApproachCodeChange>& changes);

// The step of a run of metres: straight (class 0) or a curve of a class and a side (+1 "d",
// -1 "s").
struct Step {
  int curve_class = 0;
  int side = 0;

  bool operator==(const Step&) const = default;
};
struct StepChange {
  std::int64_t first_m = 0;
  std::int64_t last_m = 0;
  Step old_step;
  Step new_step;
};
struct GeometryChange {
  std::optional<std::int64_t> old_metres;  // none without a line file on that side
  std::optional<std::int64_t> new_metres;
  bool same = false;
  // Where the centre lines first part over the metres both fill, how far apart they get and
  // where; none when they do not part.
  std::optional<std::int64_t> parts_at_m;
  double greatest_distance_m = 0;
  std::int64_t greatest_distance_at_m = 0;
  std::vector<StepChange> steps;  // the curves that changed
};

// The centre lines compared metre by metre; none when neither side has a line.
std::optional<GeometryChange> geometry_changes(const LineGeometry* old_line,
                                               const LineGeometry* new_line);
Json geometry_changes_json(const std::optional<GeometryChange>& change);

}  // namespace scenario::tool
