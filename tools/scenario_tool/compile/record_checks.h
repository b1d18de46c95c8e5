// Checks over the records of both sources taken together, for what compiles without a code but
// is not what the author meant: stretches of one kind that overlap, a clock that starts after the
// first departure, a section timed in hours where minutes were meant, a slowdown faster than the
// line, a train source that gave nothing. `compile --check` makes them; each is told on the line
// of the record at fault.
#pragma once

#include <vector>

#include "scenario_tool/compile/diagnostics.h"
#include "scenario_tool/compile/source_check.h"

namespace scenario::tool {

namespace record_check_id {
inline constexpr const char* overlap = "stretch-overlap";
inline constexpr const char* clock_late = "clock-late";
inline constexpr const char* section_long = "section-long";
inline constexpr const char* slowdown_above_limit = "slowdown-above-limit";
inline constexpr const char* train_empty = "train-empty";
inline constexpr const char* approach_interleaved = "approach-interleaved";
}  // namespace record_check_id

// In the order of the sources and their lines.
std::vector<Diagnostic> check_records(const std::vector<CheckedRecord>& records);

}  // namespace scenario::tool
