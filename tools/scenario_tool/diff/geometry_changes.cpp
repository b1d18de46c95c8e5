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

Step step_of(const StepRun& s) {
  return Step{s.curve_class, s.side == 0 ? 0 : s.side > 0 ? 1 : -1};
}

Json step_json(const Step& s) {
  return Json{{"curve_class", s.curve_class}, {"side", s.side == 0 ? "" : s.side > 0 ? "d" : "s"}};
}

// Runs of metres where the step read back from each line differs: the curves that changed.
std::vector<StepChange> step_changes(const LineGeometry& a, const LineGeometry& b) {
  const LineSteps before = read_line_steps(a);
  const LineSteps after = read_line_steps(b);
  std::vector<StepChange> out;
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < before.runs.size() && j < after.runs.size()) {
    const StepRun& x = before.runs[i];
    const StepRun& y = after.runs[j];
    const std::int64_t first = std::max(x.first_row, y.first_row);
    const std::int64_t last = std::min(x.last_row, y.last_row);
    const Step old_step = step_of(x);
    const Step new_step = step_of(y);
    if (first <= last && old_step != new_step) {
      // Extend the previous change when it goes on with the same pair of steps.
      if (!out.empty() && out.back().last_m + 1 == first && out.back().old_step == old_step &&
          out.back().new_step == new_step) {
        out.back().last_m = last;
      } else {
        out.push_back({first, last, old_step, new_step});
      }
    }
    if (x.last_row <= y.last_row) ++i;
    if (y.last_row <= x.last_row) ++j;
  }
  return out;
}

std::optional<std::int64_t> side_metres(const LineGeometry* g) {
  return g ? std::optional<std::int64_t>(g->last_m() + 1) : std::nullopt;
}

Json opt(const std::optional<std::int64_t>& v) { return v ? Json(*v) : Json(); }

}  // namespace

std::optional<GeometryChange> geometry_changes(const LineGeometry* before,
                                               const LineGeometry* after) {
  if (!before && !after) return std::nullopt;
  GeometryChange out{side_metres(before), side_metres(after), false, std::nullopt, 0, 0, {}};
  if (!before || !after) return out;
  const Parting p = find_parting(*before, *after);
  out.same = same_values(*before, *after);
  if (!p.first_row) return out;
  out.parts_at_m = p.first_row;
  out.greatest_distance_m = p.greatest;
  out.greatest_distance_at_m = p.greatest_row;
  out.steps = step_changes(*before, *after);
  return out;
}

Json geometry_changes_json(const std::optional<GeometryChange>& change) {
  if (!change) return nullptr;
  const GeometryChange& g = *change;
  Json steps = Json::array();
  for (const StepChange& s : g.steps) {
    steps.push_back(Json{{"first_m", s.first_m},
                         {"last_m", s.last_m},
                         {"old", step_json(s.old_step)},
                         {"new", step_json(s.new_step)}});
  }
  const bool parted = g.parts_at_m.has_value();
  return Json{{"old_metres", opt(g.old_metres)},
              {"new_metres", opt(g.new_metres)},
              {"same", g.same},
              {"parts_at_m", opt(g.parts_at_m)},
              {"greatest_distance_m", parted ? Json(g.greatest_distance_m) : Json()},
              {"greatest_distance_at_m", parted ? Json(g.greatest_distance_at_m) : Json()},
              {"step_changes", std::move(steps)}};
}

}  // namespace scenario::tool
