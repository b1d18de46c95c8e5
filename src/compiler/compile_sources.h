// The whole compile as a function of its inputs: the two source texts, the identifiers and the
// options go in; the model, its files as writers, the code it ends with and whether a header
// conflict ended it come out, and the diagnostics go to the observer. No file is read, written
// or deleted here: the run and the tool do that around it.
#pragma once

#include <vector>

#include "compiler/code_log.h"
#include "compiler/compilation.h"
#include "compiler/compiled_files.h"
#include "compiler/observer.h"
#include "compiler/source_text.h"
#include "format/compiled_scenario.h"

namespace scenario {

struct CompileInput {
  ScenarioIds ids;
  ScenarioSources sources;
  CompileOptions options;
};

struct CompileResult {
  CompiledScenario model;
  // The last code recorded, with its position when it came with one.
  RecordedCode code;
  // Code 1250 or 1251 ended the compile: there are no files.
  bool header_conflict = false;
  // The model was completed and has its files; not when the reading left no track.
  bool has_files = false;

  // The writers of the files, none when there are no files. They refer to this result's model.
  std::vector<CompiledFile> files() const {
    return has_files ? compiled_files(model) : std::vector<CompiledFile>{};
  }
  CompiledFileBytes file_bytes() const { return compiled_file_bytes(files()); }
};

CompileResult compile_sources(CompileInput input, CompileObserver& observer = null_observer());

}  // namespace scenario
