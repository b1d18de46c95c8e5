// The line as the compiler builds it: the two integer rows it starts from, then runs of rows each
// stepped straight or along a curve. The rows are computed when they are wanted, in order, so a
// line of a thousand kilometres is held as a few thousand runs rather than two million values,
// and its file is written without ever being whole in memory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "format/model.h"
#include "platform/byte_sink.h"

namespace scenario {

class LineCourse {
 public:
  // Rows 0 to last_m, all empty.
  explicit LineCourse(std::int64_t last_m);

  std::int64_t last_m() const { return last_m_; }
  // The last row with values (-1: none; 1: the two integer rows only).
  std::int64_t filled_to() const { return filled_; }

  // Rows 0 and 1: the integers (0, 0) and (0, 1), the line starting at the origin heading along
  // the second coordinate.
  void start();
  // Fills the rows after filled_to() up to `to_row` (at most last_m), each computed from the two
  // before it: a straight step repeats the last step, a curved one turns it by `k`.
  void extend(std::int64_t to_row, double k, bool curved);

  // Calls visit(row, x, y) for every filled row from 2 on, in order.
  template <typename Visit>
  void walk(Visit&& visit) const;

  // Every row as values, for the views that want them all.
  LineGeometry geometry() const;

 private:
  struct Run {
    std::int64_t last_row;
    double k;
    bool curved;
  };

  std::int64_t last_m_;
  std::int64_t filled_ = -1;
  std::vector<Run> runs_;
};

// One row from the two before it: a straight step repeats the last step, a curved one turns it by
// `k`. The step vector is not normalised: each row comes from the two before it exactly, and
// whoever reads a line back must step the same way to find the same doubles.
struct RowStep {
  double x;
  double y;
};
template <bool curved>
RowStep next_row(double x0, double y0, double x1, double y1, double k) {
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  if constexpr (curved) {
    return {x1 + (dx + k * dy), y1 + (dy - k * dx)};
  } else {
    return {x1 + dx, y1 + dy};
  }
}

template <typename Visit>
void LineCourse::walk(Visit&& visit) const {
  double x0 = 0.0;
  double y0 = 0.0;
  double x1 = 0.0;
  double y1 = 1.0;
  std::int64_t row = 2;
  const auto step = [&](RowStep next) {
    x0 = x1;
    y0 = y1;
    x1 = next.x;
    y1 = next.y;
    visit(row, x1, y1);
  };
  for (const Run& run : runs_) {
    const double k = run.k;
    if (run.curved) {
      for (; row <= run.last_row; ++row) step(next_row<true>(x0, y0, x1, y1, k));
    } else {
      for (; row <= run.last_row; ++row) step(next_row<false>(x0, y0, x1, y1, k));
    }
  }
}

// The line file of a course: coordinate 0 of every row, then coordinate 1.
void write_line_file(const LineCourse& course, ByteSink& sink);
std::string write_line_file(const LineCourse& course);

}  // namespace scenario
