#include "scenario_tool/scenario/curve_views.h"

#include <cmath>

#include "format/line_steps.h"

namespace scenario::tool {

LineCurves line_curves(const LineGeometry& line) {
  const LineSteps steps = read_line_steps(line);
  LineCurves out;
  for (const StepRun& run : steps.runs) {
    if (!run.curved()) continue;
    out.curves.push_back(
        CurveStretch{run.first_row - 1, run.last_row, run.curve_class, run.side, run.radius_m()});
  }
  out.read_to_m = steps.filled_to;
  out.broken_m = steps.broken_row;
  out.broken_reason = steps.broken_reason;
  return out;
}

const char* side_name(int side) { return side > 0 ? "right" : "left"; }

std::int64_t whole_radius_m(const CurveStretch& curve) {
  return static_cast<std::int64_t>(std::round(curve.radius_m));
}

Json curves_json(const LineCurves& curves) {
  Json stretches = Json::array();
  for (const CurveStretch& c : curves.curves) {
    stretches.push_back(Json{{"start_m", c.start_m},
                             {"end_m", c.end_m},
                             {"class", c.curve_class},
                             {"side", side_name(c.side)},
                             {"radius_m", whole_radius_m(c)}});
  }
  Json broken = nullptr;
  if (curves.broken_m)
    broken = Json{{"metres", *curves.broken_m}, {"reason", curves.broken_reason}};
  return Json{{"stretches", stretches}, {"read_to_m", curves.read_to_m}, {"broken", broken}};
}

}  // namespace scenario::tool
