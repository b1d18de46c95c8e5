// The source reader: reads the line source and then the train source into the compiled model,
// and deletes both.
#pragma once

namespace scenario {

struct GeneratorState;

void memorizza_dati(GeneratorState& state);

}  // namespace scenario
