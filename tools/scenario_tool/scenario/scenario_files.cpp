#include "scenario_tool/scenario/scenario_files.h"

#include <set>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "scenario_tool/exit_codes.h"

namespace scenario::tool {

namespace {

constexpr std::string_view kLineEnding = "_linea.dat";
constexpr std::string_view kTableEnding = ".sim";
constexpr std::string_view kTrackEnding = ".dat";

// The ROUTE_TRAIN part of the names of the track and table files among a folder's entries.
std::set<std::string> scenario_stems(const std::vector<FolderEntry>& entries) {
  std::set<std::string> stems;
  for (const auto& entry : entries) {
    if (entry.kind != PathKind::file) continue;
    const std::string& name = entry.name;
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

std::variant<ScenarioFiles, LocateFailure> from_folder(const std::string& folder, FileSystem& fs) {
  std::vector<FolderEntry> entries;
  std::string reason;
  if (!fs.list_folder(folder, &entries, &reason)) {
    return LocateFailure{exit_code::io_failure, "cannot read the folder " + folder + ": " + reason};
  }
  const std::set<std::string> stems = scenario_stems(entries);
  if (stems.empty()) {
    return LocateFailure{exit_code::io_failure, "no compiled scenario in " + folder +
                                                    ": no table file (.sim) and no track file "
                                                    "(.dat) there"};
  }
  if (stems.size() > 1) {
    return LocateFailure{exit_code::usage, "several scenarios in " + folder + " (" + join(stems) +
                                               "): name the files to inspect instead"};
  }
  const std::string stem = *stems.begin();
  ScenarioFiles files;
  files[FileRole::track] = WantedFile{join_path(folder, stem + std::string(kTrackEnding))};
  files[FileRole::table] = WantedFile{join_path(folder, stem + std::string(kTableEnding))};
  const auto split = stem.rfind('_');
  if (split != std::string::npos && split > 0) {
    const std::string route = stem.substr(0, split);
    files[FileRole::line] = WantedFile{join_path(folder, route + std::string(kLineEnding)), false};
  }
  return files;
}

std::variant<ScenarioFiles, LocateFailure> from_file_names(const std::vector<std::string>& paths,
                                                           FileSystem& fs) {
  ScenarioFiles files;
  for (const auto& path : paths) {
    const auto role = role_from_name(file_name(path));
    if (!role && fs.kind_of(path) == PathKind::missing) {
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

std::variant<ScenarioFiles, LocateFailure> locate_files(const std::vector<std::string>& paths,
                                                        FileSystem& fs) {
  if (paths.empty()) return LocateFailure{exit_code::usage, "no folder and no file given"};
  if (paths.size() == 1 && fs.is_folder(paths.front())) return from_folder(paths.front(), fs);
  for (const auto& path : paths) {
    if (fs.is_folder(path)) {
      return LocateFailure{exit_code::usage, path +
                                                 " is a folder: give either one folder or the "
                                                 "files themselves"};
    }
  }
  return from_file_names(paths, fs);
}

}  // namespace scenario::tool
