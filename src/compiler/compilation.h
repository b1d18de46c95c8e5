// One compile of a scenario, as its passes share it: the identifiers, the options, the two
// sources, the model it builds and the codes it records.
#pragma once

#include <string>
#include <utility>

#include "compiler/code_log.h"
#include "compiler/source_text.h"
#include "format/compiled_scenario.h"

namespace scenario {

struct CompileOptions {
  // Whether the line geometry is built and the line file written.
  bool build_line = true;
};

// The route identifier and the train number, which the table carries and the files are named by.
struct ScenarioIds {
  std::string route_id;
  std::string train_number;
};

struct Compilation {
  explicit Compilation(ScenarioIds ids, CompileObserver& observer = null_observer())
      : ids(std::move(ids)), codes(observer) {}

  ScenarioIds ids;
  CompileOptions options;
  ScenarioSources sources;
  CompiledScenario model;
  CodeLog codes;
};

}  // namespace scenario
