// Finding the three compiled files of one scenario, from a folder or from the files themselves.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace scenario {
class FileSystem;
}

namespace scenario::tool {

enum class FileRole { track, table, line };
inline constexpr std::array<FileRole, 3> all_roles{FileRole::track, FileRole::table,
                                                   FileRole::line};

// "track", "table", "line".
const char* role_name(FileRole role);

// The role a file plays, from the end of its name: "_linea.dat" the line file, ".sim" the table
// file, any other ".dat" the track file.
std::optional<FileRole> role_from_name(std::string_view file_name);

struct WantedFile {
  std::string path;
  // A required file that is missing is a failure; an optional one is only mentioned (a line file
  // is absent when a scenario is compiled without line geometry).
  bool required = true;
};

struct ScenarioFiles {
  std::array<std::optional<WantedFile>, 3> files;  // indexed by FileRole

  const std::optional<WantedFile>& operator[](FileRole role) const {
    return files[static_cast<std::size_t>(role)];
  }
  std::optional<WantedFile>& operator[](FileRole role) {
    return files[static_cast<std::size_t>(role)];
  }
};

// Why the files could not be found; `exit` is the exit status that goes with it.
struct LocateFailure {
  int exit = 0;
  std::string message;
};

// One folder: the scenario whose table or track file lies in it (ROUTE_TRAIN.sim and
// ROUTE_TRAIN.dat, the route id being everything before the last "_", and ROUTE_linea.dat).
// Otherwise every path is a file, recognised by its name.
std::variant<ScenarioFiles, LocateFailure> locate_files(const std::vector<std::string>& paths,
                                                        FileSystem& fs);

}  // namespace scenario::tool
