#include "scenario_tool/scenario/scenario_load.h"

#include "format/file_limits.h"
#include "scenario_tool/exit_codes.h"
#include "scenario_tool/scenario/reporter.h"

namespace scenario::tool {

namespace {

// The largest file of the role the compiler can write: a larger one is not read at all.
std::uint64_t size_limit(FileRole role) {
  switch (role) {
    case FileRole::track:
      return max_track_file_bytes;
    case FileRole::table:
      return max_table_file_bytes;
    case FileRole::line:
      break;
  }
  return max_line_file_bytes;
}

// Reads the file; the outcome says what happened when the bytes are not there.
std::optional<std::string> read_bytes(FileRole role, const WantedFile& wanted, FileSystem& fs,
                                      FileOutcome& outcome) {
  if (fs.kind_of(wanted.path) == PathKind::missing) {
    outcome.state = FileState::missing;
    return std::nullopt;
  }
  if (fs.kind_of(wanted.path) != PathKind::file) {
    outcome.state = FileState::unreadable;
    outcome.reason = "it is " + fs.describe(wanted.path) + ", not a regular file";
    return std::nullopt;
  }
  std::string bytes;
  std::string reason;
  if (!fs.read_up_to(wanted.path, size_limit(role), &bytes, &reason)) {
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

void decode_into(FileRole role, std::string_view bytes, const LoadOptions& options,
                 LoadedScenario& s, FileOutcome& outcome) {
  switch (role) {
    case FileRole::track:
      keep(decode_track_file(bytes), s.track, outcome);
      break;
    case FileRole::table:
      keep(decode_table_file(bytes), s.table, outcome);
      break;
    case FileRole::line:
      if (options.line_steps_only) {
        keep(read_line_steps_from_file(bytes), s.line_steps, outcome);
      } else {
        keep(decode_line_file(bytes), s.line, outcome);
      }
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

LoadedScenario load_scenario(const ScenarioFiles& files, FileSystem& fs,
                             const LoadOptions& options) {
  LoadedScenario s;
  for (FileRole role : all_roles) {
    FileOutcome& outcome = s.outcomes[static_cast<std::size_t>(role)];
    outcome.role = role;
    const auto& wanted = files[role];
    if (!wanted) continue;
    outcome.path = wanted->path;
    outcome.required = wanted->required;
    auto bytes = read_bytes(role, *wanted, fs, outcome);
    if (!bytes) continue;
    decode_into(role, *bytes, options, s, outcome);
    if (options.keep_bytes) s.bytes[static_cast<std::size_t>(role)] = std::move(bytes);
  }
  return s;
}

int report_file_problems(const LoadedScenario& s, std::string_view verb, std::ostream& err,
                         bool tell_optional_missing) {
  bool damaged = false;
  bool io = false;
  for (const FileOutcome& o : s.outcomes) {
    const std::string path = o.path.value_or("");
    switch (o.state) {
      case FileState::missing:
        if (!o.required) {
          if (tell_optional_missing) {
            err << verb << ": no " << role_name(o.role) << " file " << path
                << " (a scenario compiled with --no-line has none)\n";
          }
          break;
        }
        report_error(
            err, std::string(verb) + ": cannot find the " + role_name(o.role) + " file " + path);
        io = true;
        break;
      case FileState::unreadable:
        report_error(err, std::string(verb) + ": cannot read " + path + ": " + o.reason);
        io = true;
        break;
      case FileState::damaged:
        report_error(err, std::string(verb) + ": " + path + ": damaged " + role_name(o.role) +
                              " file at byte " + std::to_string(o.error->offset) + ": " +
                              o.error->message);
        damaged = true;
        break;
      case FileState::ok:
      case FileState::not_given:
        break;
    }
  }
  if (damaged) return exit_code::damaged_file;
  return io ? exit_code::io_failure : exit_code::clean;
}

}  // namespace scenario::tool
