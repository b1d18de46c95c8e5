#include "format/line_steps.h"

#include <array>
#include <cmath>
#include <limits>

#include "format/constants.h"
#include "format/line_course.h"

namespace scenario {

namespace {

struct Step {
  int curve_class;
  int side;
};

// The straight step first, then every class on both sides.
constexpr std::array<Step, 13> all_steps() {
  std::array<Step, 13> steps{};
  steps[0] = {0, 0};
  for (int c = 1; c <= 6; ++c) {
    steps[static_cast<std::size_t>(2 * c - 1)] = {c, +1};
    steps[static_cast<std::size_t>(2 * c)] = {c, -1};
  }
  return steps;
}

double curvature(Step s) {
  return s.curve_class == 0 ? 0.0
                            : s.side * curve_curvature[static_cast<std::size_t>(s.curve_class - 1)];
}

bool reproduces(Step s, double x0, double y0, double x1, double y1, double x, double y) {
  const RowStep next = s.curve_class == 0 ? next_row<false>(x0, y0, x1, y1, 0.0)
                                          : next_row<true>(x0, y0, x1, y1, curvature(s));
  return next.x == x && next.y == y;
}

bool is_integer(const LineValue& v, std::int16_t n) {
  return v.tag() == LineValue::Tag::integer && v.number() == n;
}

// Rows are read straight from the geometry's arrays: a long line has a million of them, and the
// rows asked for always lie inside it.
LineValue::Tag tag_of(const LineGeometry& g, std::int64_t row, int coord) {
  return g.tags()[static_cast<std::size_t>(row) * 2 + static_cast<std::size_t>(coord)];
}

double number_of(const LineGeometry& g, std::int64_t row, int coord) {
  return g.numbers()[static_cast<std::size_t>(row) * 2 + static_cast<std::size_t>(coord)];
}

bool both_empty(const LineGeometry& g, std::int64_t row) {
  return tag_of(g, row, 0) == LineValue::Tag::empty && tag_of(g, row, 1) == LineValue::Tag::empty;
}

bool both_real(const LineGeometry& g, std::int64_t row) {
  return tag_of(g, row, 0) == LineValue::Tag::real && tag_of(g, row, 1) == LineValue::Tag::real;
}

void broken(LineSteps& out, std::int64_t row, std::string reason) {
  out.broken_row = row;
  out.broken_reason = std::move(reason);
}

// Rows after the filled ones must all be empty.
void check_empty_from(const LineGeometry& g, std::int64_t row, LineSteps& out) {
  for (; row <= g.last_m(); ++row) {
    if (!both_empty(g, row)) {
      broken(out, row, "a value after the empty rows that end the line");
      return;
    }
  }
}

}  // namespace

double StepRun::k() const { return curvature({curve_class, side}); }

double StepRun::radius_m() const {
  return curve_class == 0 ? std::numeric_limits<double>::infinity() : 1.0 / std::fabs(k());
}

LineSteps read_line_steps(const LineGeometry& g) {
  LineSteps out;
  if (g.last_m() < 0) return out;
  if (both_empty(g, 0)) {
    check_empty_from(g, 0, out);
    return out;
  }
  if (g.last_m() < 1 || !is_integer(g.at(0, 0), 0) || !is_integer(g.at(0, 1), 0)) {
    broken(out, 0, "the line does not begin with the integer row (0, 0)");
    return out;
  }
  if (!is_integer(g.at(1, 0), 0) || !is_integer(g.at(1, 1), 1)) {
    broken(out, 1, "the second row is not the integer row (0, 1)");
    return out;
  }
  out.filled_to = 1;
  static constexpr std::array<Step, 13> steps = all_steps();
  double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 1.0;
  Step last{-1, 0};
  for (std::int64_t row = 2; row <= g.last_m(); ++row) {
    if (both_empty(g, row)) {
      check_empty_from(g, row, out);
      return out;
    }
    if (!both_real(g, row)) {
      broken(out, row, "a row that holds neither two computed values nor none");
      return out;
    }
    const double x = number_of(g, row, 0);
    const double y = number_of(g, row, 1);
    // A run mostly goes on: its own step first.
    bool found = last.curve_class >= 0 && reproduces(last, x0, y0, x1, y1, x, y);
    if (!found) {
      for (const Step& s : steps) {
        if (reproduces(s, x0, y0, x1, y1, x, y)) {
          last = s;
          found = true;
          out.runs.push_back({row, row, s.curve_class, s.side});
          break;
        }
      }
      if (!found) {
        broken(out, row, "no straight or curved step of any class reproduces this row");
        return out;
      }
    } else {
      out.runs.back().last_row = row;
    }
    out.filled_to = row;
    x0 = x1;
    y0 = y1;
    x1 = x;
    y1 = y;
  }
  return out;
}

}  // namespace scenario
