#include "scenario_tool/check/run_checks.h"

#include <algorithm>
#include <cmath>

#include "format/line_steps.h"
#include "scenario_tool/check/line_checks.h"
#include "scenario_tool/check/table_checks.h"

namespace scenario::tool {

namespace {

void run_line_checks(const LoadedScenario& s, const CheckParameters& p, CheckResult& r) {
  if (!s.line) {
    r.skipped.push_back("curve speeds: no line file");
    return;
  }
  check_curves(read_line_steps(*s.line), *s.track, p, r.findings);
}

// The timetable, then the consistency of boards, stops and signs: at one place, findings keep
// this order.
void run_track_and_table_checks(const LoadedScenario& s, const CheckParameters& p, CheckResult& r) {
  if (s.table) r.sections = check_timetable(*s.table, *s.track, p, r.findings);
  check_speed_boards(*s.track, r.findings);
  if (!s.table) {
    r.skipped.push_back("timetable, stop cells and sign texts: no table file");
    return;
  }
  check_stop_cells(*s.track, *s.table, r.findings);
  check_sign_entries(*s.track, *s.table, r.findings);
}

}  // namespace

int CheckResult::count(Severity severity) const {
  return static_cast<int>(
      std::count_if(findings.begin(), findings.end(),
                    [&](const CheckFinding& f) { return f.severity == severity; }));
}

CheckResult run_checks(const LoadedScenario& s, const CheckParameters& p) {
  CheckResult r;
  if (!s.track) {
    r.skipped.push_back("every check: no track file");
    return r;
  }
  run_line_checks(s, p, r);
  check_gradients(*s.track, p, r.findings);
  run_track_and_table_checks(s, p, r);
  sort_findings(r.findings);
  return r;
}

std::string parameter_problem(const CheckParameters& p) {
  for (double v : {p.cant_mm, p.cant_deficiency_mm, p.max_gradient_per_mille, p.accel_m_s2,
                   p.decel_m_s2, p.dwell_s}) {
    if (!std::isfinite(v)) return "every figure must be a finite number";
  }
  if (!(p.cant_mm >= 0)) return "--cant must be 0 or more";
  if (!(p.cant_deficiency_mm >= 0)) return "--cant-deficiency must be 0 or more";
  if (!(p.cant_mm + p.cant_deficiency_mm > 0)) {
    return "--cant and --cant-deficiency cannot both be 0";
  }
  if (!(p.max_gradient_per_mille >= 0)) return "--max-gradient must be 0 or more";
  if (!(p.accel_m_s2 > 0)) return "--accel must be above 0";
  if (!(p.decel_m_s2 > 0)) return "--decel must be above 0";
  return "";
}

}  // namespace scenario::tool
