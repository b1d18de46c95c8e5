#include "support/test_support.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <process.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace scenario::testing {

namespace {

int process_id() {
#ifdef _WIN32
  return _getpid();
#else
  return ::getpid();
#endif
}

}  // namespace

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  std::random_device rd;
  for (int attempt = 0; attempt < 100; ++attempt) {
    auto candidate = std::filesystem::temp_directory_path() /
                     ("scenario-test-" + std::to_string(process_id()) + "-" +
                      std::to_string(counter++) + "-" + std::to_string(rd() % 100000));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

std::string read_file(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + p.string());
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void write_file(const std::filesystem::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + p.string());
}

std::vector<std::string> list_folder(const std::filesystem::path& p) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(p)) {
    names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::uint16_t u16_at(const std::string& b, std::size_t o) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b.at(o)) |
                                    (static_cast<std::uint8_t>(b.at(o + 1)) << 8));
}

std::int16_t i16_at(const std::string& b, std::size_t o) {
  return static_cast<std::int16_t>(u16_at(b, o));
}

std::int32_t i32_at(const std::string& b, std::size_t o) {
  std::uint32_t v = 0;
  for (int k = 3; k >= 0; --k) v = (v << 8) | static_cast<std::uint8_t>(b.at(o + k));
  return static_cast<std::int32_t>(v);
}

double f64_at(const std::string& b, std::size_t o) {
  std::uint64_t v = 0;
  for (int k = 7; k >= 0; --k) v = (v << 8) | static_cast<std::uint8_t>(b.at(o + k));
  double d;
  std::memcpy(&d, &v, sizeof d);
  return d;
}

#ifdef _WIN32
std::uint64_t file_identity(const std::string& path) {
  HANDLE h = CreateFileW(std::filesystem::path(path).c_str(), 0,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return 0;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool ok = GetFileInformationByHandle(h, &info) != 0;
  CloseHandle(h);
  if (!ok) return 0;
  return (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
}
#else
std::uint64_t file_identity(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return 0;
  return static_cast<std::uint64_t>(st.st_ino);
}
#endif

#ifdef _WIN32
// The tests that start programs through sh are left out of the Windows build (tests/CMakeLists.txt
// lists them); one that slips in fails here, not in some shell's misreading of it.
CommandResult run_command(const std::string& shell_command) {
  throw std::logic_error("no sh on Windows to run: " + shell_command);
}

std::string shell_quote(const std::string& word) {
  throw std::logic_error("no sh on Windows to quote for: " + word);
}
#else
CommandResult run_command(const std::string& shell_command) {
  TempDir capture;
  const std::string full = "(" + shell_command + ") >" + shell_quote(capture.file("out")) + " 2>" +
                           shell_quote(capture.file("err")) + " </dev/null";
  const int status = std::system(full.c_str());
  CommandResult r;
  if (status != -1 && WIFEXITED(status)) r.exit_status = WEXITSTATUS(status);
  r.out = read_file(capture.file("out"));
  r.err = read_file(capture.file("err"));
  return r;
}

std::string shell_quote(const std::string& word) {
  std::string q = "'";
  for (char c : word) {
    if (c == '\'') {
      q += "'\\''";
    } else {
      q += c;
    }
  }
  return q + "'";
}
#endif

}  // namespace scenario::testing
