#include "scenario_tool/verbs/finding_lines.h"

#include <cmath>
#include <cstdlib>
#include <string_view>

#include "format/constants.h"

namespace scenario::tool {

namespace {

struct Culprit {
  std::string_view kind;
  bool stretch;  // the record in force at the place, not the nearest one
};

std::optional<Culprit> culprit_of(std::string_view check) {
  if (check == check_id::curve_speed || check == check_id::line_form) return Culprit{"curva", true};
  if (check == check_id::gradient) return Culprit{"pendenza", true};
  if (check == check_id::timetable_untimed) return Culprit{"velocita' limite", true};
  if (check == check_id::speed_board) return Culprit{"indicatori_vmax", false};
  if (check == check_id::signboard) return Culprit{"cartello indicatore", false};
  if (check.starts_with("timetable") || check == check_id::stop_cell) {
    return Culprit{"stazione", false};
  }
  return std::nullopt;
}

}  // namespace

std::int64_t cell_of(std::int64_t p) {
  return static_cast<std::int64_t>(std::nearbyint(static_cast<double>(p) / cell_metres + 1.0));
}

std::optional<std::pair<SourceKind, int>> finding_line(const CheckFinding& f,
                                                       const std::vector<CheckedRecord>& records) {
  const auto culprit = culprit_of(f.check);
  if (!f.position_m || !culprit) return std::nullopt;
  const std::int64_t at = *f.position_m;
  const CheckedRecord* best = nullptr;
  std::int64_t best_distance = 0;
  for (const CheckedRecord& r : records) {
    if (r.kind == nullptr || r.kind->name != culprit->kind || r.values.empty() || !r.values[0]) {
      continue;
    }
    const std::int64_t p = *r.values[0];
    // A stretch reaches the place when it starts there or before (a curve's stretch starts
    // on the metre before its first curved row).
    if (culprit->stretch && p > at + 1) continue;
    const std::int64_t distance = culprit->stretch ? at - p : std::llabs(cell_of(p) - cell_of(at));
    if (best == nullptr || distance < best_distance ||
        (culprit->stretch && distance == best_distance)) {
      best = &r;
      best_distance = distance;
    }
  }
  if (best == nullptr) return std::nullopt;
  return std::pair{best->source, best->line};
}

}  // namespace scenario::tool
