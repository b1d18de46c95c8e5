// The run's compile step: reads the two text sources back from the scenario's folder and deletes
// them, compiles them, and replaces the line, table and track files.
#pragma once

#include <vector>

#include "compiler/compile_sources.h"
#include "format/file_names.h"
#include "run/write_compiled_files.h"

namespace scenario {

class FileSystem;

struct RunCompile {
  CompileResult result;
  // The compiled files, once they are all in place; none after a header conflict or without a
  // track.
  std::vector<WrittenFile> written;
};

// The codes recorded are in the result; a file that cannot be written throws FileError.
RunCompile memorizza_percorso(const ScenarioNames& names, FileSystem& fs,
                              const CompileOptions& options,
                              CompileObserver& observer = null_observer());

}  // namespace scenario
