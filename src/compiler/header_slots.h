// The header values and the competition codes, stored into slots that nothing else may have
// filled: d2a and time_s of table entry 85, value1 and value2 of track cell 1.
#pragma once

namespace scenario {

struct GeneratorState;

// Ends the run through `errore` with 1250 or 1251 when a slot is already taken.
void fill_header_slots(GeneratorState& state);

}  // namespace scenario
