#include "compiler/compilation.h"

namespace scenario {

void record_error(GeneratorState& state, std::int32_t code) {
  state.error_code = code;
  state.error_pos_recorded = false;
  if (state.observer != nullptr) {
    state.observer->on_code(code, std::nullopt, state.reading_source, state.reading_line);
  }
}

void record_error_at(GeneratorState& state, std::int32_t code, std::int32_t pos) {
  state.error_code = code;
  state.error_pos = pos;
  state.error_pos_recorded = true;
  if (state.observer != nullptr) {
    state.observer->on_code(code, pos, state.reading_source, state.reading_line);
  }
}

}  // namespace scenario
