// Every engineering check over the decoded files of one scenario, as plain data: the findings
// sorted by position, the timetable's sections, and the checks that could not run.
#pragma once

#include <string>
#include <vector>

#include "scenario_tool/check/finding.h"
#include "scenario_tool/check/parameters.h"
#include "scenario_tool/check/timetable.h"
#include "scenario_tool/scenario/scenario_load.h"

namespace scenario::tool {

struct CheckResult {
  std::vector<CheckFinding> findings;
  std::vector<TimetableSection> sections;
  std::vector<std::string> skipped;  // one sentence per check left out, with the reason

  int count(Severity severity) const;
};

// Runs what the files that were read allow; a file that is missing leaves its checks out.
CheckResult run_checks(const LoadedScenario& scenario, const CheckParameters& p);

// Why a parameter cannot be used ("--accel must be above 0"); empty when all can.
std::string parameter_problem(const CheckParameters& p);

}  // namespace scenario::tool
