#include "platform/paths.h"

namespace scenario {

std::filesystem::path to_path(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8_of(const std::filesystem::path& path) {
  const auto s = path.u8string();
  return std::string(s.begin(), s.end());
}

std::string file_name(const std::string& path) { return utf8_of(to_path(path).filename()); }

std::string file_stem(const std::string& path) { return utf8_of(to_path(path).stem()); }

std::string join_path(const std::string& folder, const std::string& name) {
  return utf8_of(to_path(folder) / to_path(name));
}

}  // namespace scenario
