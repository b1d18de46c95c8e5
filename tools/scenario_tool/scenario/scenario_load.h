// Reading and decoding the files of one scenario, keeping for each what became of it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "format/decode.h"
#include "format/line_steps.h"
#include "format/model.h"
#include "platform/file_system.h"
#include "scenario_tool/scenario/scenario_files.h"

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
  // Instead of `line`, when only its steps were asked for.
  std::optional<LineSteps> line_steps;
  std::array<FileOutcome, 3> outcomes;  // indexed by FileRole
  // The bytes read, indexed by FileRole; only when asked for.
  std::array<std::optional<std::string>, 3> bytes;

  const FileOutcome& outcome(FileRole role) const {
    return outcomes[static_cast<std::size_t>(role)];
  }
};

struct LoadOptions {
  // Keeps the bytes of every file read beside what they decode to.
  bool keep_bytes = false;
  // Reads the line file's steps straight from its bytes into `line_steps`, with the same checks
  // and errors, and no geometry: a long line's geometry is large and slow to build.
  bool line_steps_only = false;
};

LoadedScenario load_scenario(const ScenarioFiles& files, FileSystem& fs,
                             const LoadOptions& options = {});

// Tells on `err`, each line "scenario_tool: error: VERB: ...", what became of each file that could
// not be used;
// returns the exit status it calls for, a damaged file outweighing one that could not be found or
// read. A missing file that is not required is no failure: it is told only when
// `tell_optional_missing` is set.
int report_file_problems(const LoadedScenario& s, std::string_view verb, std::ostream& err,
                         bool tell_optional_missing);

}  // namespace scenario::tool
