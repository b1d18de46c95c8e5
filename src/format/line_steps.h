// How each metre of a line was stepped, read back from the values of its line file. Every row is
// matched against the straight step and the curved step of each class and side, computed exactly
// as the compiler computes them, so the class found is the one the source gave, not an estimate
// from the drawn shape. Views, checks and the sources rebuilt from compiled files start from here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/decode.h"
#include "format/model.h"

namespace scenario {

// Rows first_row..last_row, all stepped alike.
struct StepRun {
  std::int64_t first_row = 0;
  std::int64_t last_row = 0;
  int curve_class = 0;  // 0: straight; 1 to 6: the class, an index into curve_curvature plus one
  int side = 0;         // +1 "d", -1 "s", 0 on a straight

  bool curved() const { return curve_class != 0; }
  // The signed curvature of the step, 0 on a straight.
  double k() const;
  // 1 / |k| in metres; infinity on a straight.
  double radius_m() const;
  bool operator==(const StepRun&) const = default;
};

struct LineSteps {
  // The last row of the line, filled or not; -1 for a line of no rows.
  std::int64_t last_m = -1;
  // The last row that holds both coordinates; -1 when the line never started.
  std::int64_t filled_to = -1;
  // The rows from 2 on, as far as they could be matched, runs of one step each.
  std::vector<StepRun> runs;
  // The first row that does not have the form of a compiled line, and why; the runs stop before.
  std::optional<std::int64_t> broken_row;
  std::string broken_reason;
  bool operator==(const LineSteps&) const = default;
};

LineSteps read_line_steps(const LineGeometry& line);

// The same steps read straight from the bytes of a line file, without decoding its geometry:
// a thousand-kilometre line is 20 MB. A damaged file gives the error of decode_line_file.
Decoded<LineSteps> read_line_steps_from_file(std::string_view bytes);

}  // namespace scenario
