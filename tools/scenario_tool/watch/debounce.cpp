#include "scenario_tool/watch/debounce.h"

#include <algorithm>

namespace scenario::tool {

bool Debounce::due(Clock::time_point now) const {
  if (!last_) return false;
  if (*last_ == Clock::time_point::min()) return true;
  return now - *last_ >= quiet_;
}

std::chrono::milliseconds Debounce::wait_before_due(Clock::time_point now,
                                                    std::chrono::milliseconds longest) const {
  if (!last_) return longest;
  if (due(now)) return std::chrono::milliseconds(0);
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(*last_ + quiet_ - now);
  return std::clamp(left, std::chrono::milliseconds(0), longest);
}

}  // namespace scenario::tool
