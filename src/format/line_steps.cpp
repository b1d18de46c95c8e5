#include "format/line_steps.h"

#include <array>
#include <cmath>
#include <limits>

#include "format/constants.h"
#include "format/line_course.h"
#include "format/line_file_values.h"

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

struct Row {
  LineValue x, y;

  bool empty() const { return x.empty() && y.empty(); }
  bool real() const { return x.tag() == LineValue::Tag::real && y.tag() == LineValue::Tag::real; }
  bool integers(std::int16_t ix, std::int16_t iy) const {
    return is_integer(x, ix) && is_integer(y, iy);
  }
};

// The rows of a decoded geometry, in order: a long line has a million of them, so they are read
// straight from its arrays, and the rows asked for always lie inside it.
class GeometryRows {
 public:
  explicit GeometryRows(const LineGeometry& g) : g_(g) {}
  std::int64_t last_m() const { return g_.last_m(); }
  Row next() {
    const std::size_t i = next_++ * 2;
    return {value(i), value(i + 1)};
  }

 private:
  LineValue value(std::size_t i) const {
    const double v = g_.numbers()[i];
    switch (g_.tags()[i]) {
      case LineValue::Tag::integer:
        return LineValue::integer(static_cast<std::int16_t>(v));
      case LineValue::Tag::real:
        return LineValue::real(v);
      case LineValue::Tag::empty:
        break;
    }
    return LineValue();
  }

  const LineGeometry& g_;
  std::size_t next_ = 0;
};

// The rows of a checked line file, in order: one cursor in each coordinate half.
class FileRows {
 public:
  FileRows(std::string_view bytes, const LineFileLayout& layout)
      : bytes_(bytes), last_m_(layout.rows - 1), y_at_(layout.y_start) {}
  std::int64_t last_m() const { return last_m_; }
  Row next() {
    const LineValue x = checked_line_value(bytes_, x_at_);
    return {x, checked_line_value(bytes_, y_at_)};
  }

 private:
  std::string_view bytes_;
  std::int64_t last_m_;
  std::size_t x_at_ = 0;
  std::size_t y_at_;
};

void broken(LineSteps& out, std::int64_t row, std::string reason) {
  out.broken_row = row;
  out.broken_reason = std::move(reason);
}

// Rows `row` on, after the filled ones, must all be empty.
template <typename Rows>
void check_empty_from(Rows& rows, std::int64_t row, LineSteps& out) {
  for (; row <= rows.last_m(); ++row) {
    if (!rows.next().empty()) {
      broken(out, row, "a value after the empty rows that end the line");
      return;
    }
  }
}

// Every row matched in order, whatever holds them.
template <typename Rows>
LineSteps match_rows(Rows rows) {
  LineSteps out;
  out.last_m = rows.last_m();
  if (rows.last_m() < 0) return out;
  const Row first = rows.next();
  if (first.empty()) {
    check_empty_from(rows, 1, out);
    return out;
  }
  if (rows.last_m() < 1 || !first.integers(0, 0)) {
    broken(out, 0, "the line does not begin with the integer row (0, 0)");
    return out;
  }
  if (!rows.next().integers(0, 1)) {
    broken(out, 1, "the second row is not the integer row (0, 1)");
    return out;
  }
  out.filled_to = 1;
  static constexpr std::array<Step, 13> steps = all_steps();
  double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 1.0;
  Step last{-1, 0};
  for (std::int64_t row = 2; row <= rows.last_m(); ++row) {
    const Row r = rows.next();
    if (r.empty()) {
      check_empty_from(rows, row + 1, out);
      return out;
    }
    if (!r.real()) {
      broken(out, row, "a row that holds neither two computed values nor none");
      return out;
    }
    const double x = r.x.number();
    const double y = r.y.number();
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

}  // namespace

double StepRun::k() const { return curvature({curve_class, side}); }

double StepRun::radius_m() const {
  return curve_class == 0 ? std::numeric_limits<double>::infinity() : 1.0 / std::fabs(k());
}

LineSteps read_line_steps(const LineGeometry& g) { return match_rows(GeometryRows(g)); }

Decoded<LineSteps> read_line_steps_from_file(std::string_view bytes) {
  auto scanned = scan_line_file(bytes);
  if (!scanned.ok()) return scanned.error();
  return match_rows(FileRows(bytes, scanned.value()));
}

}  // namespace scenario
