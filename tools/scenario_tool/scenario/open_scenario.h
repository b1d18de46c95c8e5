// One way into a scenario for every verb: find its files, read them, tell what could not be used,
// and decode what could.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "scenario_tool/scenario/scenario.h"
#include "scenario_tool/scenario/scenario_files.h"
#include "scenario_tool/scenario/scenario_load.h"

namespace scenario::tool {

struct OpenOptions {
  LoadOptions load{};
  // Also tells of a missing file that is not required (the line file).
  bool tell_optional_missing = false;
  // Looks at the files found before they are read: a message refuses them as wrong usage.
  std::function<std::optional<std::string>(const ScenarioFiles&)> refuse{};
};

struct OpenedScenario {
  ScenarioFiles files;
  LoadedScenario loaded;
  Scenario scenario;
  // The exit status the files call for: clean, or the worst of what could not be used.
  int status = 0;
};

// Finds, reads and decodes the scenario; each failure goes to `err` as "scenario_tool: error: VERB:
// ...", a note about an optional file as "VERB: ...". When the files
// cannot be found (or are refused), gives the exit status instead.
std::variant<OpenedScenario, int> open_scenario(const std::vector<std::string>& paths,
                                                std::string_view verb, FileSystem& fs,
                                                std::ostream& err, const OpenOptions& options = {});

// The same for files already found.
OpenedScenario open_files(const ScenarioFiles& files, std::string_view verb, FileSystem& fs,
                          std::ostream& err, const OpenOptions& options = {});

}  // namespace scenario::tool
