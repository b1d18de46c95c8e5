// Curves from the line's steps: every metre is matched to the step that reproduces its stored
// values exactly, and each run of curved metres becomes one curve record, straight up to the
// metre before it.
#include <string>

#include "format/line_steps.h"
#include "scenario_tool/decompile/recover_parts.h"
#include "scenario_tool/scenario/position_text.h"

namespace scenario::tool {

void recover_curves(const LineSteps& steps, RecoveredScenario& out) {
  if (steps.broken_row) {
    throw Unrecoverable("the line file at " + km_position(*steps.broken_row) + ": " +
                        steps.broken_reason);
  }
  for (const StepRun& run : steps.runs) {
    if (!run.curved()) continue;
    out.curves.push_back({static_cast<std::int32_t>(run.first_row - 1),
                          static_cast<std::int32_t>(run.last_row - run.first_row + 1),
                          run.curve_class, run.side});
  }
  // The reader goes on straight up to two metres before the end; a curve may reach further.
  const std::int64_t tail = steps.last_m - 2;
  const bool ends_curved = !steps.runs.empty() && steps.runs.back().curved();
  if (steps.filled_to != tail && !(steps.filled_to > tail && ends_curved)) {
    out.unexpressible.push_back("the line file is filled up to " + km_position(steps.filled_to) +
                                "; a compile fills it to " + km_position(tail));
  }
}

}  // namespace scenario::tool
