// The findings of `check` as text (one line each, then the timetable when asked, then a summary)
// and as JSON.
#pragma once

#include <ostream>

#include "scenario_tool/check/run_checks.h"
#include "scenario_tool/scenario/json.h"

namespace scenario::tool {

// `FILE: error|warning: at KM km: MESSAGE`, or `FILE: warning: MESSAGE` for what has no place.
std::string finding_text(const CheckFinding& f, const LoadedScenario& scenario);

void write_check_text(const CheckResult& r, const LoadedScenario& scenario, bool timetable,
                      std::ostream& out);

Json check_json(const CheckResult& r, const LoadedScenario& scenario, const CheckParameters& p);

}  // namespace scenario::tool
