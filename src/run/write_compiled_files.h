// Puts a compile's files into the scenario's folder: the line file (when there is one), the table
// file and the track file, replaced together so that the simulator never finds a mixed set.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/compile_sources.h"
#include "format/file_names.h"

namespace scenario {

class FileSystem;

// A compiled file written, with its size in bytes.
struct WrittenFile {
  std::string path;
  std::uint64_t bytes = 0;
};

// The path of each kind of compiled file in a scenario's folder.
std::string compiled_file_path(const ScenarioNames& names, CompiledFileKind kind);

// Writes nothing when the compile has no files. Throws FileError when a file cannot be written;
// the files already there are then untouched.
std::vector<WrittenFile> write_compiled_files(const ScenarioNames& names,
                                              const CompileResult& result, FileSystem& fs);

}  // namespace scenario
