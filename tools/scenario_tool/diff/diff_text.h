// The text of `diff`, drawn from its JSON.
#pragma once

#include <ostream>

#include "scenario_tool/scenario/json.h"

namespace scenario::tool {

// One heading per group that has differences, one line per difference; a diff with none is the
// one line "no difference: the same scenario".
void write_diff_text(const Json& diff, std::ostream& out);

// Metres with their thousands apart: "12 350".
std::string grouped_metres(std::int64_t metres);

}  // namespace scenario::tool
