// The text of `diff`, drawn from its JSON and its typed feature changes.
#pragma once

#include <ostream>

#include "scenario_tool/diff/diff_report.h"
#include "scenario_tool/scenario/json.h"

namespace scenario::tool {

// One heading per group that has differences, one line per difference; a diff with none is the
// one line "no difference: the same scenario".
void write_diff_text(const Diff& report, std::ostream& out);

// A length in metres with its thousands apart: "12 350" (positions are km_position).
std::string grouped_metres(std::int64_t metres);

}  // namespace scenario::tool
