#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/file_system.h"
#include "platform/paths.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace scenario {

namespace {

PathKind kind_of_status(const std::filesystem::file_status& st) {
  switch (st.type()) {
    case std::filesystem::file_type::not_found:
      return PathKind::missing;
    case std::filesystem::file_type::regular:
      return PathKind::file;
    case std::filesystem::file_type::directory:
      return PathKind::folder;
    default:
      break;
  }
  return PathKind::other;
}

std::string errno_text(int e) { return std::strerror(e); }

// The reason the last call failed; an I/O error where the call set no errno.
std::string last_error_text() { return errno_text(errno != 0 ? errno : EIO); }

// The portable wording of an operating system error ("No such file or directory"), the same on
// every platform, rather than the system's own.
std::string error_text(const std::error_code& ec) { return ec.default_error_condition().message(); }

class StdioOutputFile : public OutputFile {
 public:
  explicit StdioOutputFile(std::FILE* f) : f_(f) {}
  ~StdioOutputFile() override {
    if (f_ != nullptr) std::fclose(f_);
  }

  bool write(std::string_view bytes, std::string* err) override {
    if (bytes.empty()) return true;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), f_) != bytes.size()) {
      *err = last_error_text();
      return false;
    }
    return true;
  }

  bool write_at(std::uint64_t offset, std::string_view bytes, std::string* err) override {
    errno = 0;
#ifdef _WIN32
    const int moved = _fseeki64(f_, static_cast<__int64>(offset), SEEK_SET);
#else
    const int moved = fseeko(f_, static_cast<off_t>(offset), SEEK_SET);
#endif
    if (moved != 0) {
      *err = last_error_text();
      return false;
    }
    return write(bytes, err);
  }

  bool flush(std::string* err) override {
    errno = 0;
    if (std::fflush(f_) != 0) {
      *err = last_error_text();
      return false;
    }
    return true;
  }

  bool close(std::string* err) override {
    std::FILE* f = f_;
    f_ = nullptr;
    errno = 0;
    if (std::fclose(f) != 0) {
      *err = last_error_text();
      return false;
    }
    return true;
  }

 private:
  std::FILE* f_;
};

// Opens the file for writing or reading, in binary; null with the system's reason in `err`.
std::FILE* open_binary(const std::string& path, bool write, std::string* err) {
  errno = 0;
#ifdef _WIN32
  std::FILE* f = _wfopen(to_path(path).c_str(), write ? L"wb" : L"rb");
#else
  std::FILE* f = std::fopen(path.c_str(), write ? "wb" : "rb");
#endif
  if (f == nullptr) *err = last_error_text();
  return f;
}

}  // namespace

PathKind RealFileSystem::kind_of(const std::string& path) {
  std::error_code ec;
  const auto st = std::filesystem::status(to_path(path), ec);
  if (ec && st.type() != std::filesystem::file_type::not_found) return PathKind::other;
  return kind_of_status(st);
}

std::unique_ptr<OutputFile> RealFileSystem::create(const std::string& path, std::string* err) {
  std::FILE* f = open_binary(path, true, err);
  if (f == nullptr) return nullptr;
  // Every writer hands over whole chunks: a stdio buffer would only split each into two writes.
  std::setvbuf(f, nullptr, _IONBF, 0);
  return std::make_unique<StdioOutputFile>(f);
}

bool RealFileSystem::read(const std::string& path, std::string* bytes, std::string* err) {
  std::FILE* f = open_binary(path, false, err);
  if (f == nullptr) return false;
  bytes->clear();
  // Read straight into the string at its full size: a line file of 20 MB would otherwise be
  // copied once more through a buffer, or as the string grows.
  std::size_t have = 0;
  if (std::fseek(f, 0, SEEK_END) == 0) {
    const long size = std::ftell(f);
    std::rewind(f);
    if (size > 0) {
      bytes->resize(static_cast<std::size_t>(size));
      have = std::fread(bytes->data(), 1, bytes->size(), f);
      bytes->resize(have);
    }
  }
  // Whatever the size did not tell: a file that grew, or one that cannot seek.
  char buf[65536];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes->append(buf, n);
  const bool failed = std::ferror(f) != 0;
  const int e = errno;
  std::fclose(f);
  if (failed) {
    *err = errno_text(e != 0 ? e : EIO);
    return false;
  }
  return true;
}

bool RealFileSystem::remove(const std::string& path, std::string* err) {
  std::error_code ec;
  if (!std::filesystem::remove(to_path(path), ec)) {
    *err = ec ? error_text(ec) : std::string("No such file or directory");
    return false;
  }
  return true;
}

bool RealFileSystem::rename(const std::string& from, const std::string& to, std::string* err) {
  std::error_code ec;
#ifdef _WIN32
  // The library's own rename on Windows reports most failures as a bare I/O error.
  if (!MoveFileExW(to_path(from).c_str(), to_path(to).c_str(), MOVEFILE_REPLACE_EXISTING)) {
    ec.assign(static_cast<int>(GetLastError()), std::system_category());
  }
#else
  std::filesystem::rename(to_path(from), to_path(to), ec);
#endif
  if (ec) {
    *err = error_text(ec);
    return false;
  }
  return true;
}

bool RealFileSystem::list_folder(const std::string& path, std::vector<FolderEntry>* entries,
                                 std::string* err) {
  entries->clear();
  std::error_code ec;
  std::filesystem::directory_iterator it(to_path(path), ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    std::error_code status_ec;
    const auto st = it->status(status_ec);
    entries->push_back(
        {utf8_of(it->path().filename()), status_ec ? PathKind::other : kind_of_status(st)});
  }
  if (ec) {
    *err = ec.message();
    return false;
  }
  std::sort(entries->begin(), entries->end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return true;
}

bool RealFileSystem::make_folders(const std::string& path, std::string* err) {
  std::error_code ec;
  std::filesystem::create_directories(to_path(path), ec);
  if (ec) {
    *err = ec.message();
    return false;
  }
  return true;
}

}  // namespace scenario
