// Writes the compiled model: the line file (only when the line geometry is built), the table
// file and the track file, replaced together so that the simulator never finds a mixed set.
#pragma once

#include <vector>

#include "compiler/compilation.h"
#include "format/compiled_scenario.h"
#include "format/file_names.h"

namespace scenario {

class FileSystem;

// Throws FileError when a file cannot be written; the files already there are then untouched.
std::vector<WrittenFile> write_compiled_files(const ScenarioNames& names,
                                              const CompiledScenario& model, FileSystem& fs);

}  // namespace scenario
