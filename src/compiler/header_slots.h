// The header values and the competition codes, stored into slots that nothing else may have
// filled: d2a and time_s of table entry 85, value1 and value2 of track cell 1.
#pragma once

#include "compiler/code_log.h"
#include "format/compiled_scenario.h"

namespace scenario {

// A header slot was already taken: the compile cannot go on, and nothing is written. The run
// shows it through `errore`.
struct HeaderConflict {
  Code code;
};

// Records 1250 or 1251 and throws HeaderConflict when a slot is already taken.
void fill_header_slots(CompiledScenario& model, CodeLog& codes);

}  // namespace scenario
