// A line course against the dense geometry it stands for: over random courses, partly filled or
// not started, both give the same values and the same line file, byte for byte.
#include "format/line_course.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>

#include "format/file_writers.h"

namespace scenario {
namespace {

TEST(LineCourseTest, TheCourseAndItsGeometryWriteTheSameFile) {
  std::mt19937 random(3);
  const double curvatures[] = {0.0001, -0.0002, 0.0004, -0.001, 0.002, -0.003};
  for (int n = 0; n < 60; ++n) {
    const std::int64_t last = std::uniform_int_distribution<std::int64_t>(1, 3000)(random);
    LineCourse course(last);
    const int runs = n % 10 == 0 ? -1 : std::uniform_int_distribution<int>(0, 12)(random);
    if (runs >= 0) course.start();
    for (int r = 0; r < runs && course.filled_to() < last; ++r) {
      const std::int64_t to = std::min<std::int64_t>(
          last, course.filled_to() + std::uniform_int_distribution<std::int64_t>(1, 400)(random));
      course.extend(to, curvatures[random() % 6], random() % 2 == 0);
    }
    SCOPED_TRACE("last " + std::to_string(last) + ", filled to " +
                 std::to_string(course.filled_to()));
    const LineGeometry g = course.geometry();
    EXPECT_EQ(write_line_file(course), write_line_file(g));
    if (course.filled_to() >= 1) {
      EXPECT_EQ(g.at(1, 1), LineValue::integer(1));
      EXPECT_EQ(g.at(course.filled_to(), 0).tag(),
                course.filled_to() >= 2 ? LineValue::Tag::real : LineValue::Tag::integer);
    }
    if (course.filled_to() < last) {
      EXPECT_TRUE(g.at(last, 1).empty());
    }
  }
}

// A course long enough that its rows are walked in many blocks, each block reused several times.
LineCourse long_course() {
  LineCourse course(250'000);
  course.start();
  std::int64_t to = 1;
  for (int r = 0; to < 240'000; ++r) {
    to = std::min<std::int64_t>(240'000, to + 7'919 * (r % 5 + 1));
    course.extend(to, r % 3 == 0 ? 0.0 : 0.0005 * (r % 2 == 0 ? 1 : -1), r % 3 != 0);
  }
  return course;
}

// Fails on its nth piece, as a full disk would.
class FailingSink : public ByteSink {
 public:
  explicit FailingSink(int fail_at) : fail_at_(fail_at) {}
  void put(std::string_view) override { count(); }
  void put_at(std::uint64_t, std::string_view) override { count(); }
  int pieces = 0;

 private:
  void count() {
    if (++pieces == fail_at_) throw std::runtime_error("disk full");
  }
  int fail_at_;
};

TEST(LineCourseTest, ALongCourseIsWrittenInBoundedPiecesAndStopsCleanlyOnAFailure) {
  const LineCourse course = long_course();
  const std::string whole = write_line_file(course.geometry());
  EXPECT_EQ(write_line_file(course), whole);
  EXPECT_EQ(whole.size(), 2u * (2 * 4 + 239'999 * 10 + 10'000 * 2));

  struct Largest : ByteSink {
    void put(std::string_view b) override { largest = std::max(largest, b.size()); }
    void put_at(std::uint64_t, std::string_view b) override { put(b); }
    std::size_t largest = 0;
  } largest;
  write_line_file(course, largest);
  EXPECT_LE(largest.largest, file_chunk_size);

  // The walk runs ahead on its own thread: a failure early, midway or at the end must end it
  // without a hang, and the failure is what the caller sees.
  for (int fail_at : {1, 3, 9, 18}) {
    FailingSink sink(fail_at);
    EXPECT_THROW(write_line_file(course, sink), std::runtime_error) << fail_at;
    EXPECT_EQ(sink.pieces, fail_at);
  }
}

TEST(LineCourseTest, ExtendingPastTheLineOrBeforeTheStartFails) {
  LineCourse course(100);
  EXPECT_THROW(course.extend(10, 0.0, false), ModelRangeError);
  course.start();
  course.extend(50, 0.001, true);
  EXPECT_THROW(course.extend(101, 0.0, false), ModelRangeError);
  EXPECT_EQ(course.filled_to(), 50);
  course.extend(40, 0.0, false);  // nothing to fill
  EXPECT_EQ(course.filled_to(), 50);
}

}  // namespace
}  // namespace scenario
