#include "platform/regular_file.h"

#include "platform/file_system.h"

namespace scenario {

std::optional<std::string> not_a_regular_file(FileSystem& fs, const std::string& path) {
  switch (fs.kind_of(path)) {
    case PathKind::file:
      return std::nullopt;
    case PathKind::missing:
      return "no such file: " + path;
    case PathKind::folder:
    case PathKind::other:
      break;
  }
  return path + " is " + fs.describe(path) + ", not a regular file";
}

}  // namespace scenario
