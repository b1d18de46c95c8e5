#include "scenario_tool/compile/output_folder.h"

#include <filesystem>
#include <system_error>

#include "platform/replace_files.h"

namespace scenario::tool {

void ensure_folder(const std::string& folder) {
  std::error_code ec;
  std::filesystem::create_directories(
      std::filesystem::path(std::u8string(folder.begin(), folder.end())), ec);
  if (ec) throw FileError(folder, ec.message(), "create");
}

}  // namespace scenario::tool
