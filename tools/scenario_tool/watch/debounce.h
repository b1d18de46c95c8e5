// When to act on a burst of events: once none has come for the quiet time. An editor that
// empties a file and writes it in pieces, or saves twice in a row, makes one burst.
#pragma once

#include <chrono>
#include <optional>

namespace scenario::tool {

class Debounce {
 public:
  using Clock = std::chrono::steady_clock;

  explicit Debounce(std::chrono::milliseconds quiet) : quiet_(quiet) {}

  // An event came at `now`: the wait starts again.
  void event(Clock::time_point now) { last_ = now; }
  // Due at once, without waiting for the quiet time (the first compile).
  void force() { last_ = Clock::time_point::min(); }
  // The burst is over: act on it.
  bool due(Clock::time_point now) const;
  // How long until it is due: at most `longest`, and `longest` when nothing is waiting.
  std::chrono::milliseconds wait_before_due(Clock::time_point now,
                                            std::chrono::milliseconds longest) const;
  // Acted on: nothing is waiting.
  void clear() { last_.reset(); }
  bool waiting() const { return last_.has_value(); }

 private:
  std::chrono::milliseconds quiet_;
  std::optional<Clock::time_point> last_;
};

}  // namespace scenario::tool
