#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "format/line_steps.h"
#include "scenario_tool/diff/changes.h"

namespace scenario::tool {

namespace {

struct Parting {
  std::optional<std::int64_t> first_row;  // the first metre whose values differ
  double greatest = 0.0;                  // the greatest distance between the two centre lines
  std::int64_t greatest_row = 0;
};

bool rows_equal(const LineGeometry& a, const LineGeometry& b, std::size_t i) {
  return a.tags()[i] == b.tags()[i] && a.tags()[i + 1] == b.tags()[i + 1] &&
         a.numbers()[i] == b.numbers()[i] && a.numbers()[i + 1] == b.numbers()[i + 1];
}

bool row_filled(const LineGeometry& g, std::size_t i) {
  return g.tags()[i] != LineValue::Tag::empty && g.tags()[i + 1] != LineValue::Tag::empty;
}

// Over the metres both lines fill: a line that goes on where the other has ended is no parting.
Parting find_parting(const LineGeometry& a, const LineGeometry& b) {
  Parting p;
  const std::int64_t rows = std::min(a.last_m(), b.last_m()) + 1;
  for (std::int64_t row = 0; row < rows; ++row) {
    const auto i = static_cast<std::size_t>(row) * 2;
    if (!row_filled(a, i) || !row_filled(b, i) || rows_equal(a, b, i)) continue;
    if (!p.first_row) p.first_row = row;
    const double d =
        std::hypot(a.numbers()[i] - b.numbers()[i], a.numbers()[i + 1] - b.numbers()[i + 1]);
    if (d > p.greatest) {
      p.greatest = d;
      p.greatest_row = row;
    }
  }
  return p;
}

bool same_values(const LineGeometry& a, const LineGeometry& b) {
  return a.tags() == b.tags() && a.numbers() == b.numbers();
}

Json step_json(const StepRun& s) {
  return Json{{"curve_class", s.curve_class}, {"side", s.side == 0 ? "" : s.side > 0 ? "d" : "s"}};
}

// Runs of metres where the step read back from each line differs: the curves that changed.
Json step_changes(const LineGeometry& a, const LineGeometry& b) {
  const LineSteps before = read_line_steps(a);
  const LineSteps after = read_line_steps(b);
  Json out = Json::array();
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < before.runs.size() && j < after.runs.size()) {
    const StepRun& x = before.runs[i];
    const StepRun& y = after.runs[j];
    const std::int64_t first = std::max(x.first_row, y.first_row);
    const std::int64_t last = std::min(x.last_row, y.last_row);
    const bool same = x.curve_class == y.curve_class && x.side == y.side;
    if (first <= last && !same) {
      // Extend the previous change when it goes on with the same pair of steps.
      const Json old_step = step_json(x);
      const Json new_step = step_json(y);
      if (!out.empty() && out.back().at("last_m").get<std::int64_t>() + 1 == first &&
          out.back().at("old") == old_step && out.back().at("new") == new_step) {
        out.back()["last_m"] = last;
      } else {
        out.push_back(
            Json{{"first_m", first}, {"last_m", last}, {"old", old_step}, {"new", new_step}});
      }
    }
    if (x.last_row <= y.last_row) ++i;
    if (y.last_row <= x.last_row) ++j;
  }
  return out;
}

Json side_metres(const LineGeometry* g) { return g ? Json(g->last_m() + 1) : Json(); }

}  // namespace

Json geometry_changes(const LineGeometry* before, const LineGeometry* after) {
  if (!before && !after) return nullptr;
  Json out{{"old_metres", side_metres(before)},
           {"new_metres", side_metres(after)},
           {"same", false},
           {"parts_at_m", nullptr},
           {"greatest_distance_m", nullptr},
           {"greatest_distance_at_m", nullptr},
           {"step_changes", Json::array()}};
  if (!before || !after) return out;
  const Parting p = find_parting(*before, *after);
  out["same"] = same_values(*before, *after);
  if (!p.first_row) return out;
  out["parts_at_m"] = *p.first_row;
  out["greatest_distance_m"] = p.greatest;
  out["greatest_distance_at_m"] = p.greatest_row;
  out["step_changes"] = step_changes(*before, *after);
  return out;
}

}  // namespace scenario::tool
