#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/file_system.h"
#include "platform/paths.h"

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
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

  bool sync(std::string* err) override {
    errno = 0;
#ifdef _WIN32
    const bool synced =
        FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f_)))) != 0;
    if (!synced) errno = EIO;
#else
    const bool synced = ::fsync(fileno(f_)) == 0;
#endif
    if (!synced) {
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

// Opens the file for writing, in binary; null with the system's reason in `err`.
std::FILE* open_for_writing(const std::string& path, std::string* err) {
  errno = 0;
#ifdef _WIN32
  std::FILE* f = _wfopen(to_path(path).c_str(), L"wb");
#else
  std::FILE* f = std::fopen(path.c_str(), "wb");
#endif
  if (f == nullptr) *err = last_error_text();
  return f;
}

#ifndef _WIN32
const char* mode_text(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a regular file";
}
#endif

// Opens a regular file for reading, in binary, and tells its size. Anything else is refused
// before a byte is read: a FIFO is opened without waiting for its writer, and a device or a
// folder (which would read forever, or as a huge size) never reaches a read.
std::FILE* open_regular_file(const std::string& path, std::uint64_t* size, std::string* err) {
  errno = 0;
#ifdef _WIN32
  // A folder cannot be opened there at all: say what it is rather than "Permission denied".
  const DWORD attributes = GetFileAttributesW(to_path(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    *err = "it is a folder, not a regular file";
    return nullptr;
  }
  std::FILE* f = _wfopen(to_path(path).c_str(), L"rb");
  if (f == nullptr) {
    *err = last_error_text();
    return nullptr;
  }
  struct _stat64 st {};
  if (_fstat64(_fileno(f), &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG) {
    std::fclose(f);
    *err = "it is not a regular file";
    return nullptr;
  }
#else
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    *err = last_error_text();
    return nullptr;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    *err = std::string("it is ") + mode_text(st.st_mode) + ", not a regular file";
    ::close(fd);
    return nullptr;
  }
  std::FILE* f = ::fdopen(fd, "rb");
  if (f == nullptr) {
    *err = last_error_text();
    ::close(fd);
    return nullptr;
  }
#endif
  *size = static_cast<std::uint64_t>(st.st_size);
  return f;
}

// Reads what is left of the file, at most `limit` bytes: one that grew past its size as it was
// read is refused too.
bool read_open_file(std::FILE* f, std::uint64_t size, std::uint64_t limit, std::string* bytes,
                    std::string* err) {
  bytes->clear();
  // Read straight into the string at its full size: a line file of 20 MB would otherwise be
  // copied once more through a buffer, or as the string grows.
  if (size > 0) {
    bytes->resize(static_cast<std::size_t>(size));
    bytes->resize(std::fread(bytes->data(), 1, bytes->size(), f));
  }
  char buf[65536];
  std::size_t n;
  while (bytes->size() <= limit && (n = std::fread(buf, 1, sizeof buf, f)) > 0) {
    bytes->append(buf, n);
  }
  const bool failed = std::ferror(f) != 0;
  const int e = errno;
  if (failed) {
    *err = errno_text(e != 0 ? e : EIO);
    return false;
  }
  if (bytes->size() > limit) {
    *err = too_large_text(bytes->size(), limit);
    return false;
  }
  return true;
}

}  // namespace

PathKind RealFileSystem::kind_of(const std::string& path) {
  std::error_code ec;
  const auto st = std::filesystem::status(to_path(path), ec);
  if (ec && st.type() != std::filesystem::file_type::not_found) return PathKind::other;
  return kind_of_status(st);
}

std::unique_ptr<OutputFile> RealFileSystem::create(const std::string& path, std::string* err) {
  std::FILE* f = open_for_writing(path, err);
  if (f == nullptr) return nullptr;
  // Every writer hands over whole chunks: a stdio buffer would only split each into two writes.
  std::setvbuf(f, nullptr, _IONBF, 0);
  return std::make_unique<StdioOutputFile>(f);
}

bool RealFileSystem::read(const std::string& path, std::string* bytes, std::string* err) {
  return read_up_to(path, UINT64_MAX, bytes, err);
}

bool RealFileSystem::read_up_to(const std::string& path, std::uint64_t limit, std::string* bytes,
                                std::string* err) {
  std::uint64_t size = 0;
  std::FILE* f = open_regular_file(path, &size, err);
  if (f == nullptr) return false;
  if (size > limit) {
    std::fclose(f);
    *err = too_large_text(size, limit);
    return false;
  }
  const bool read = read_open_file(f, size, limit, bytes, err);
  std::fclose(f);
  if (!read) bytes->clear();
  return read;
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

std::string RealFileSystem::describe(const std::string& path) {
  std::error_code ec;
  switch (std::filesystem::status(to_path(path), ec).type()) {
    case std::filesystem::file_type::not_found:
      return "nothing";
    case std::filesystem::file_type::regular:
      return "a regular file";
    case std::filesystem::file_type::directory:
      return "a folder";
    case std::filesystem::file_type::fifo:
      return "a FIFO";
    case std::filesystem::file_type::character:
      return "a character device";
    case std::filesystem::file_type::block:
      return "a block device";
    case std::filesystem::file_type::socket:
      return "a socket";
    default:
      break;
  }
  return ec ? "not a regular file (" + error_text(ec) + ")" : "not a regular file";
}

bool RealFileSystem::sync_folder(const std::string& folder, std::string* err) {
#ifdef _WIN32
  // A folder cannot be flushed there: the file system journals its own entries.
  (void)folder;
  (void)err;
  return true;
#else
  errno = 0;
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    *err = last_error_text();
    return false;
  }
  const bool synced = ::fsync(fd) == 0;
  if (!synced) *err = last_error_text();
  ::close(fd);
  return synced;
#endif
}

std::string RealFileSystem::real_path(const std::string& path) {
  std::error_code ec;
  const auto canonical = std::filesystem::canonical(to_path(path), ec);
  return ec ? path : utf8_of(canonical);
}

}  // namespace scenario
