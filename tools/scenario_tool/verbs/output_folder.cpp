#include "scenario_tool/verbs/output_folder.h"

#include "platform/paths.h"

namespace scenario::tool {

std::optional<std::string> make_output_folder(FileSystem& fs, const std::string& folder) {
  if (folder.empty() || fs.kind_of(folder) == PathKind::folder) return std::nullopt;
  std::string reason;
  if (fs.make_folders(folder, &reason)) return std::nullopt;
  return "cannot create the folder " + folder + ": " + reason;
}

std::string in_folder(const std::string& folder, const std::string& name) {
  return folder == "." ? name : join_path(folder, name);
}

std::string folder_of_prefix(const std::string& prefix) {
  return utf8_of(to_path(prefix).parent_path());
}

}  // namespace scenario::tool
