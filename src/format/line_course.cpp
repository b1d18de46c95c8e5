#include "format/line_course.h"

#include <algorithm>
#include <stdexcept>

namespace scenario {

LineCourse::LineCourse(std::int64_t last_m) : last_m_(last_m) {
  if (last_m < 0) throw ModelRangeError("line geometry with a negative size");
}

void LineCourse::start() {
  if (last_m_ < 1) throw ModelRangeError("line geometry too short for its first two rows");
  filled_ = std::max<std::int64_t>(filled_, 1);
}

void LineCourse::extend(std::int64_t to_row, double k, bool curved) {
  if (filled_ < 1) throw ModelRangeError("line geometry extended before its start");
  if (to_row > last_m_) {
    throw ModelRangeError("line geometry row " + std::to_string(to_row) + " outside 0.." +
                          std::to_string(last_m_));
  }
  if (to_row <= filled_) return;
  runs_.push_back({to_row, k, curved});
  filled_ = to_row;
}

LineGeometry LineCourse::geometry() const {
  LineGeometry g(last_m_);
  if (filled_ >= 1) {
    g.set(0, 0, LineValue::integer(0));
    g.set(0, 1, LineValue::integer(0));
    g.set(1, 0, LineValue::integer(0));
    g.set(1, 1, LineValue::integer(1));
  }
  walk([&](std::int64_t row, double x, double y) {
    g.set(row, 0, LineValue::real(x));
    g.set(row, 1, LineValue::real(y));
  });
  return g;
}

}  // namespace scenario
