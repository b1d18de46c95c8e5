// The steps read back from a line's values against the course that made them: over random
// courses of every class and side, the runs come back as they were built (neighbouring runs of
// one step merged), and a value one step of a double away breaks the line at its row.
#include "format/line_steps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "format/constants.h"
#include "format/line_course.h"

namespace scenario {
namespace {

struct Built {
  LineCourse course;
  std::vector<StepRun> runs;  // as built, neighbours of one step merged
};

Built random_course(std::mt19937& random) {
  const std::int64_t last = std::uniform_int_distribution<std::int64_t>(3, 4000)(random);
  Built b{LineCourse(last), {}};
  b.course.start();
  while (b.course.filled_to() < last - 1) {
    const std::int64_t from = b.course.filled_to() + 1;
    const std::int64_t to = std::min<std::int64_t>(
        last - 1, from + std::uniform_int_distribution<std::int64_t>(0, 300)(random));
    const int cls = std::uniform_int_distribution<int>(0, 6)(random);
    const int side = cls == 0 ? 0 : (random() % 2 == 0 ? 1 : -1);
    const double k = cls == 0 ? 0.0 : side * curve_curvature[static_cast<std::size_t>(cls - 1)];
    b.course.extend(to, k, cls != 0);
    if (!b.runs.empty() && b.runs.back().curve_class == cls && b.runs.back().side == side) {
      b.runs.back().last_row = to;
    } else {
      b.runs.push_back({from, to, cls, side});
    }
  }
  return b;
}

TEST(LineStepsTest, EveryRunComesBackWithItsClassAndSide) {
  std::mt19937 random(11);
  for (int n = 0; n < 40; ++n) {
    const Built b = random_course(random);
    const LineGeometry g = b.course.geometry();
    const LineSteps steps = read_line_steps(g);
    ASSERT_FALSE(steps.broken_row) << steps.broken_reason;
    EXPECT_EQ(steps.filled_to, b.course.filled_to());
    EXPECT_EQ(steps.runs, b.runs);

    // One value a unit in the last place away is no step of any class.
    const std::int64_t row = std::uniform_int_distribution<std::int64_t>(2, g.last_m() - 1)(random);
    LineGeometry bent = g;
    bent.set(row, 1, LineValue::real(std::nextafter(g.number(row, 1), 1e300)));
    const LineSteps broken = read_line_steps(bent);
    ASSERT_TRUE(broken.broken_row);
    EXPECT_EQ(*broken.broken_row, row);
    EXPECT_EQ(broken.filled_to, row - 1);
  }
}

TEST(LineStepsTest, LinesThatDoNotHaveTheFormOfACompiledLineAreBrokenWhereTheyDepart) {
  LineCourse course(20);
  course.start();
  course.extend(15, curve_curvature[3], true);
  const LineGeometry g = course.geometry();

  LineGeometry shifted = g;
  shifted.set(1, 1, LineValue::integer(2));
  EXPECT_EQ(read_line_steps(shifted).broken_row, 1);

  LineGeometry late = g;
  late.set(18, 0, LineValue::real(1.0));
  late.set(18, 1, LineValue::real(1.0));
  EXPECT_EQ(read_line_steps(late).broken_row, 18);

  LineGeometry half = g;
  half.set(9, 0, LineValue());
  EXPECT_EQ(read_line_steps(half).broken_row, 9);

  const LineSteps never = read_line_steps(LineCourse(20).geometry());
  EXPECT_FALSE(never.broken_row);
  EXPECT_EQ(never.filled_to, -1);
  EXPECT_TRUE(never.runs.empty());

  const StepRun r{2, 15, 4, 1};
  EXPECT_DOUBLE_EQ(r.radius_m(), 1000.0);
  EXPECT_TRUE(std::isinf(StepRun{}.radius_m()));
}

}  // namespace
}  // namespace scenario
