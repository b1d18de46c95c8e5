// A text source as a compile receives it: its bytes, or why there are none, and whether the
// generator could delete it after reading it. The compile itself never touches a file.
#pragma once

#include <string>
#include <utility>

namespace scenario {

struct SourceText {
  enum class State { present, absent, unreadable };

  State state = State::absent;
  std::string bytes;
  // The run could not delete the source once read. The reading ends with code 25 where the
  // deletion stood in it, so a source left behind never goes unreported.
  bool deletion_failed = false;

  static SourceText of(std::string bytes) { return {State::present, std::move(bytes), false}; }
  bool present() const { return state == State::present; }
};

// The line source and the train source of one scenario.
struct ScenarioSources {
  SourceText line;
  SourceText train;
};

}  // namespace scenario
