#include "scenario_tool/scenario/scenario_files.h"

#include <filesystem>
#include <set>

#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kLineEnding = "_linea.dat";
constexpr std::string_view kTableEnding = ".sim";
constexpr std::string_view kTrackEnding = ".dat";

// The ROUTE_TRAIN part of the names of the track and table files in a folder.
std::set<std::string> scenario_stems(const fs::path& folder) {
  std::set<std::string> stems;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    const std::string name = entry.path().filename().string();
    const auto role = role_from_name(name);
    if (role == FileRole::table) stems.insert(name.substr(0, name.size() - kTableEnding.size()));
    if (role == FileRole::track) stems.insert(name.substr(0, name.size() - kTrackEnding.size()));
  }
  return stems;
}

std::string join(const std::set<std::string>& words) {
  std::string out;
  for (const auto& w : words) out += (out.empty() ? "" : ", ") + w;
  return out;
}

std::variant<ScenarioFiles, LocateFailure> from_folder(const fs::path& folder) {
  std::set<std::string> stems;
  try {
    stems = scenario_stems(folder);
  } catch (const fs::filesystem_error& e) {
    return LocateFailure{exit_code::io_failure,
                         "cannot read the folder " + folder.string() + ": " + e.code().message()};
  }
  if (stems.empty()) {
    return LocateFailure{exit_code::io_failure, "no compiled scenario in " + folder.string() +
                                                    ": no table file (.sim) and no track file "
                                                    "(.dat) there"};
  }
  if (stems.size() > 1) {
    return LocateFailure{exit_code::usage, "several scenarios in " + folder.string() + " (" +
                                               join(stems) +
                                               "): name the files to inspect instead"};
  }
  const std::string stem = *stems.begin();
  ScenarioFiles files;
  files[FileRole::track] = WantedFile{(folder / (stem + std::string(kTrackEnding))).string()};
  files[FileRole::table] = WantedFile{(folder / (stem + std::string(kTableEnding))).string()};
  const auto split = stem.rfind('_');
  if (split != std::string::npos && split > 0) {
    const std::string route = stem.substr(0, split);
    files[FileRole::line] =
        WantedFile{(folder / (route + std::string(kLineEnding))).string(), false};
  }
  return files;
}

std::variant<ScenarioFiles, LocateFailure> from_file_names(const std::vector<std::string>& paths) {
  ScenarioFiles files;
  for (const auto& path : paths) {
    const auto role = role_from_name(fs::path(path).filename().string());
    std::error_code ec;
    if (!role && !fs::exists(path, ec)) {
      return LocateFailure{exit_code::io_failure, "no file or folder " + path};
    }
    if (!role) {
      return LocateFailure{exit_code::usage,
                           "cannot tell which file " + path +
                               " is: a name ending in \"_linea.dat\" (line file), \".sim\" "
                               "(table file) or \".dat\" (track file) is expected"};
    }
    if (files[*role]) {
      return LocateFailure{exit_code::usage, "two " + std::string(role_name(*role)) +
                                                 " files given: " + files[*role]->path + " and " +
                                                 path + "; inspect one scenario at a time"};
    }
    files[*role] = WantedFile{path};
  }
  return files;
}

bool ends_with(std::string_view s, std::string_view end) {
  return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

}  // namespace

const char* role_name(FileRole role) {
  switch (role) {
    case FileRole::track:
      return "track";
    case FileRole::table:
      return "table";
    case FileRole::line:
      break;
  }
  return "line";
}

std::optional<FileRole> role_from_name(std::string_view name) {
  if (ends_with(name, kLineEnding)) return FileRole::line;
  if (ends_with(name, kTableEnding)) return FileRole::table;
  if (ends_with(name, kTrackEnding)) return FileRole::track;
  return std::nullopt;
}

std::variant<ScenarioFiles, LocateFailure> locate_files(const std::vector<std::string>& paths) {
  if (paths.empty()) return LocateFailure{exit_code::usage, "no folder and no file given"};
  std::error_code ec;
  if (paths.size() == 1 && fs::is_directory(paths.front(), ec)) return from_folder(paths.front());
  for (const auto& path : paths) {
    if (fs::is_directory(path, ec)) {
      return LocateFailure{exit_code::usage, path +
                                                 " is a folder: give either one folder or the "
                                                 "files themselves"};
    }
  }
  return from_file_names(paths);
}

}  // namespace scenario::tool
