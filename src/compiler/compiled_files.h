// Writes the compiled model: the line file (only when the line geometry is built), the table
// file and the track file, replaced together so that the simulator never finds a mixed set.
#pragma once

namespace scenario {

struct GeneratorState;

// Throws FileError when a file cannot be written; the files already there are then untouched.
void write_compiled_files(GeneratorState& state);

}  // namespace scenario
