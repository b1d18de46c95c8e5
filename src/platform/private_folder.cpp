#include "platform/private_folder.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <random>
#else
#include <stdlib.h>

#include <cerrno>
#include <cstring>
#endif

namespace scenario {

namespace {

std::string utf8(const std::filesystem::path& p) {
  const auto s = p.u8string();
  return std::string(s.begin(), s.end());
}

#ifdef _WIN32

// The temporary folder lies in the user's own profile, which other users cannot enter; creating
// the folder fails when the name is taken, so a fresh random name is tried.
bool create_unique(const std::filesystem::path& base, const std::string& prefix, std::string* path,
                   std::string* err) {
  std::random_device rd;
  std::error_code ec;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto candidate = base / (prefix + std::to_string(rd()));
    *path = utf8(candidate);
    if (std::filesystem::create_directory(candidate, ec)) return true;
    if (ec) break;
  }
  *err = ec ? ec.message() : std::string("no free name");
  return false;
}

#else

bool create_unique(const std::filesystem::path& base, const std::string& prefix, std::string* path,
                   std::string* err) {
  *path = utf8(base / (prefix + "XXXXXX"));
  if (::mkdtemp(path->data()) == nullptr) {
    *err = std::strerror(errno);
    return false;
  }
  return true;
}

#endif

}  // namespace

bool make_private_folder(const std::string& prefix, std::string* path, std::string* err) {
  std::error_code ec;
  const auto base = std::filesystem::temp_directory_path(ec);
  if (ec) {
    *path = prefix;
    *err = ec.message();
    return false;
  }
  return create_unique(base, prefix, path, err);
}

}  // namespace scenario
