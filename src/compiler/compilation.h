// One compile of a scenario: the names of the files it reads and writes, its options, the model
// it builds, the codes it records, and the file system it works on.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "compiler/code_log.h"
#include "format/compiled_scenario.h"
#include "format/file_names.h"

namespace scenario {

class FileSystem;

struct CompileOptions {
  // Whether the line geometry is built and the line file written.
  bool build_line = true;
};

// A compiled file written, with its size in bytes.
struct WrittenFile {
  std::string path;
  std::uint64_t bytes = 0;
};

struct Compilation {
  Compilation(ScenarioNames names, FileSystem& fs, CompileObserver& observer = null_observer())
      : names(std::move(names)), codes(observer), fs(fs) {}

  ScenarioNames names;
  CompileOptions options;
  CompiledScenario model;
  CodeLog codes;
  FileSystem& fs;
  // The compiled files, once they are all in place.
  std::vector<WrittenFile> written;
};

}  // namespace scenario
