// `inspect --textconv`: the report as one self-contained line per item, with nothing that changes
// from one run to the next (no paths, no sizes, no padding that depends on other items), so that a
// line-by-line diff of two outputs shows exactly the items that changed. Made for git's textconv.
#pragma once

#include <ostream>

#include "scenario_tool/inspect/report.h"
#include "scenario_tool/scenario/json.h"

namespace scenario::tool {

// `report` is made with its cells.
void write_report_lines(const InspectReport& report, std::ostream& out);

}  // namespace scenario::tool
