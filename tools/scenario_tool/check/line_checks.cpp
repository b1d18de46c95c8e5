#include "scenario_tool/check/line_checks.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "format/cell_values.h"
#include "format/constants.h"
#include "scenario_tool/scenario/position_text.h"

namespace scenario::tool {

namespace {

// The cant in mm that balances V km/h on radius R m is 11.8 V² / R on standard gauge.
constexpr double kCantConstant = 11.8;

std::string whole(double v) { return std::to_string(static_cast<long long>(round_half_even(v))); }

// The highest line speed limit over the cells that metres [start, end) touch, within the track.
int highest_limit(const std::vector<TrackCell>& track, std::int64_t start, std::int64_t end) {
  const auto last_cell = static_cast<std::int64_t>(track.size()) - 1;
  const std::int64_t first = std::clamp<std::int64_t>(start / cell_metres, 0, last_cell);
  const std::int64_t last = std::clamp<std::int64_t>((end - 1) / cell_metres, 0, last_cell);
  int highest = 0;
  for (std::int64_t c = first; c <= last; ++c) {
    highest = std::max(highest, speed_limit_kmh(track[static_cast<std::size_t>(c)]));
  }
  return highest;
}

void check_curve(const StepRun& run, const std::vector<TrackCell>& track, const CheckParameters& p,
                 std::vector<CheckFinding>& findings) {
  // Row m holds the step from metre m - 1 to m: the curve begins one metre before its first row.
  const std::int64_t start = run.first_row - 1;
  const std::int64_t end = run.last_row;
  const double allowed = curve_speed_kmh(run.radius_m(), p);
  const int limit = highest_limit(track, start, end);
  if (limit <= allowed) return;
  findings.push_back({start, Severity::warning, check_id::curve_speed, FileRole::line,
                      "curve of class " + std::to_string(run.curve_class) + " (radius " +
                          whole(run.radius_m()) + " m) from " + km_position(start) + " to " +
                          km_position(end) + " under a line speed limit of " +
                          std::to_string(limit) + " km/h; cant " + whole(p.cant_mm) +
                          " mm and cant deficiency " + whole(p.cant_deficiency_mm) + " mm allow " +
                          whole(allowed) + " km/h"});
}

std::string per_mille(double v) {
  const double r = round_half_even(v * 10.0) / 10.0;
  std::string text = std::to_string(r);
  text.erase(text.find('.') + 2);
  if (text.ends_with(".0")) text.erase(text.size() - 2);
  return text;
}

}  // namespace

double curve_speed_kmh(double radius_m, const CheckParameters& p) {
  return std::sqrt(radius_m * (p.cant_mm + p.cant_deficiency_mm) / kCantConstant);
}

void check_curves(const LineSteps& steps, const std::vector<TrackCell>& track,
                  const CheckParameters& p, std::vector<CheckFinding>& findings) {
  if (!track.empty()) {
    for (const StepRun& run : steps.runs) {
      if (run.curved()) check_curve(run, track, p, findings);
    }
  }
  if (steps.broken_row) {
    findings.push_back({*steps.broken_row, Severity::warning, check_id::line_form, FileRole::line,
                        "the line file stops having the form of a compiled line at metre " +
                            std::to_string(*steps.broken_row) + " (" + steps.broken_reason +
                            "); curves are checked only before it"});
  }
}

void check_gradients(const std::vector<TrackCell>& track, const CheckParameters& p,
                     std::vector<CheckFinding>& findings) {
  std::size_t first = 0;
  for (std::size_t i = 1; i <= track.size(); ++i) {
    if (i < track.size() && track[i].gradient_100 == track[first].gradient_100) continue;
    const auto g = gradient_per_mille(track[first]);
    if (g && std::abs(*g) > p.max_gradient_per_mille) {
      const std::int64_t start = static_cast<std::int64_t>(first) * cell_metres;
      findings.push_back(
          {start, Severity::warning, check_id::gradient, FileRole::track,
           "gradient of " + std::to_string(*g) + " per mille from " + km_position(start) + " to " +
               km_position(static_cast<std::int64_t>(i) * cell_metres) + ", steeper than " +
               per_mille(p.max_gradient_per_mille) + " per mille"});
    }
    first = i;
  }
}

}  // namespace scenario::tool
