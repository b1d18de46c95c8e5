#include "compiler/code_log.h"

namespace scenario {

CompileObserver& null_observer() {
  static NullObserver observer;
  return observer;
}

void CodeLog::record(Code code) {
  last_.code = code;
  last_.has_pos = false;
  observer_->on_code(code, std::nullopt, source_, line_);
}

void CodeLog::record_at(Code code, std::int32_t pos) {
  last_.code = code;
  last_.pos = pos;
  last_.has_pos = true;
  observer_->on_code(code, pos, source_, line_);
}

}  // namespace scenario
