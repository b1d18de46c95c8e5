#include "scenario_tool/scenario/output_guard.h"

#include "platform/file_system.h"

namespace scenario::tool {

std::optional<std::string> input_at(FileSystem& fs, const ScenarioFiles& files,
                                    const std::string& output) {
  const std::string target = fs.real_path(output);
  for (FileRole role : all_roles) {
    const auto& wanted = files[role];
    if (wanted && (wanted->path == output || fs.real_path(wanted->path) == target)) {
      return wanted->path;
    }
  }
  return std::nullopt;
}

}  // namespace scenario::tool
