#include "platform/program_folder.h"

#include <filesystem>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#endif

namespace scenario {

std::string program_folder() {
#ifdef _WIN32
  std::wstring buf(32768, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
  if (n == 0) throw std::runtime_error("cannot find the program's folder");
  buf.resize(n);
  const auto folder = std::filesystem::path(buf).parent_path().u8string();
#else
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) throw std::runtime_error("cannot find the program's folder: " + ec.message());
  const auto folder = exe.parent_path().u8string();
#endif
  return std::string(folder.begin(), folder.end());
}

}  // namespace scenario
