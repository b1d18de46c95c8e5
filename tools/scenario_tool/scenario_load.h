// Reading and decoding the files of one scenario, keeping for each what became of it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compiler/model.h"
#include "platform/file_system.h"
#include "scenario_tool/decode.h"
#include "scenario_tool/scenario_files.h"

namespace scenario::tool {

enum class FileState { not_given, ok, missing, unreadable, damaged };

// "not_given", "ok", "missing", "unreadable", "damaged".
const char* state_name(FileState state);

struct FileOutcome {
  FileRole role = FileRole::track;
  std::optional<std::string> path;  // empty when not given
  bool required = false;
  FileState state = FileState::not_given;
  std::optional<std::uint64_t> size;  // bytes, when read
  std::string reason;                 // the system's reason, when unreadable
  std::optional<DecodeError> error;   // when damaged
};

struct LoadedScenario {
  std::optional<std::vector<TrackCell>> track;
  std::optional<SimTable> table;
  std::optional<LineGeometry> line;
  std::array<FileOutcome, 3> outcomes;  // indexed by FileRole

  const FileOutcome& outcome(FileRole role) const {
    return outcomes[static_cast<std::size_t>(role)];
  }
};

LoadedScenario load_scenario(const ScenarioFiles& files, FileSystem& fs);

}  // namespace scenario::tool
