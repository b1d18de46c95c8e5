#include "scenario_tool/scenario_load.h"

#include <filesystem>

namespace scenario::tool {

namespace {

// Reads the file; the outcome says what happened when the bytes are not there.
std::optional<std::string> read_bytes(const WantedFile& wanted, FileSystem& fs,
                                      FileOutcome& outcome) {
  std::error_code ec;
  if (!std::filesystem::exists(wanted.path, ec) && !ec) {
    outcome.state = FileState::missing;
    return std::nullopt;
  }
  std::string bytes;
  std::string reason;
  if (!fs.read(wanted.path, &bytes, &reason)) {
    outcome.state = FileState::unreadable;
    outcome.reason = reason;
    return std::nullopt;
  }
  outcome.size = bytes.size();
  return bytes;
}

// Stores a decoded value, or the damage that stopped it.
template <typename T>
void keep(Decoded<T>&& decoded, std::optional<T>& target, FileOutcome& outcome) {
  if (decoded.ok()) {
    target = std::move(decoded).value();
    outcome.state = FileState::ok;
  } else {
    outcome.error = decoded.error();
    outcome.state = FileState::damaged;
  }
}

void decode_into(FileRole role, std::string_view bytes, LoadedScenario& s, FileOutcome& outcome) {
  switch (role) {
    case FileRole::track:
      keep(decode_track_file(bytes), s.track, outcome);
      break;
    case FileRole::table:
      keep(decode_table_file(bytes), s.table, outcome);
      break;
    case FileRole::line:
      keep(decode_line_file(bytes), s.line, outcome);
      break;
  }
}

}  // namespace

const char* state_name(FileState state) {
  switch (state) {
    case FileState::ok:
      return "ok";
    case FileState::missing:
      return "missing";
    case FileState::unreadable:
      return "unreadable";
    case FileState::damaged:
      return "damaged";
    case FileState::not_given:
      break;
  }
  return "not_given";
}

LoadedScenario load_scenario(const ScenarioFiles& files, FileSystem& fs) {
  LoadedScenario s;
  for (FileRole role : all_roles) {
    FileOutcome& outcome = s.outcomes[static_cast<std::size_t>(role)];
    outcome.role = role;
    const auto& wanted = files[role];
    if (!wanted) continue;
    outcome.path = wanted->path;
    outcome.required = wanted->required;
    if (const auto bytes = read_bytes(*wanted, fs, outcome)) decode_into(role, *bytes, s, outcome);
  }
  return s;
}

}  // namespace scenario::tool
