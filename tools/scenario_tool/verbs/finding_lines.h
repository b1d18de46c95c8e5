// The source line of a finding of `check`: the record that made what the finding is about, among
// the records the check of the sources read. A finding speaks of a place on the line; the record
// is the one of the finding's kind at that place (a point record in the same cell or the nearest,
// a stretch record the last to start at or before it).
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "scenario_tool/check/finding.h"
#include "scenario_tool/compile/source_check.h"

namespace scenario::tool {

// The cell a point at p metres falls in, as the compiler places point records.
std::int64_t cell_of(std::int64_t p);

// None when the finding has no place, or no record of its kind was read.
std::optional<std::pair<SourceKind, int>> finding_line(const CheckFinding& f,
                                                       const std::vector<CheckedRecord>& records);

}  // namespace scenario::tool
