// The report of `inspect` as text for a person.
#pragma once

#include <ostream>

#include "scenario_tool/inspect/report.h"

namespace scenario::tool {

// Writes the summary, and the cells, stretches and approach codes when the report has them.
void write_text_report(const InspectReport& report, std::ostream& out);

}  // namespace scenario::tool
