// An output that would land on one of the scenario's own files (`view -o X.dat`, or a link to
// it) is refused before anything is written.
#pragma once

#include <optional>
#include <string>

#include "scenario_tool/scenario/scenario_files.h"

namespace scenario::tool {

// The input that `output` is, whichever links lead to either, or nothing.
std::optional<std::string> input_at(FileSystem& fs, const ScenarioFiles& files,
                                    const std::string& output);

}  // namespace scenario::tool
