// The code slot of a compile: every code recorded goes to the observer, stamped with the place the
// reader last said it was at, and the last one recorded is what the compile ends with.
#pragma once

#include <cstdint>

#include "compiler/codes.h"
#include "compiler/observer.h"

namespace scenario {

// The last code recorded (Code::none when none) and its position in metres, when it came with one.
struct RecordedCode {
  Code code = Code::none;
  std::int32_t pos = 0;
  bool has_pos = false;
};

class CodeLog {
 public:
  explicit CodeLog(CompileObserver& observer = null_observer()) : observer_(&observer) {}

  // A code without a position; the previous position stays, as the last one wins only for codes
  // that set it.
  void record(Code code);
  // A code with a position in metres.
  void record_at(Code code, std::int32_t pos);
  // Forgets the codes recorded so far, as a new compile does.
  void clear() { last_ = RecordedCode{}; }

  // Where the reader is, for the observer: the source and its 1-based line (none and 0 when it
  // is not reading).
  void reading(SourceKind source, int line) {
    source_ = source;
    line_ = line;
  }
  SourceKind source() const { return source_; }
  int line() const { return line_; }

  const RecordedCode& last() const { return last_; }
  bool any() const { return last_.code != Code::none; }
  CompileObserver& observer() const { return *observer_; }

 private:
  CompileObserver* observer_;
  RecordedCode last_;
  SourceKind source_ = SourceKind::none;
  int line_ = 0;
};

}  // namespace scenario
