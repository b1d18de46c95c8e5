// The lock of a folder whose files are being replaced: a lock file in the folder, locked by the
// operating system (flock, LockFileEx), so that a process that dies for any reason frees it. The
// file goes when the lock is released, so that a folder holds only the files written into it.
#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <system_error>

#include "platform/file_system.h"
#include "platform/paths.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace scenario {

namespace {

constexpr const char* kLockFileName = ".scenario.lock";

#ifdef _WIN32

// Deleted by the system when the last handle closes; one being deleted cannot be opened, which
// reads as busy.
class WindowsLock : public FolderLock {
 public:
  explicit WindowsLock(HANDLE h) : h_(h) {}
  ~WindowsLock() override {
    OVERLAPPED at{};
    UnlockFileEx(h_, 0, 1, 0, &at);
    CloseHandle(h_);
  }

 private:
  HANDLE h_;
};

LockAttempt lock_file(const std::string& path) {
  LockAttempt attempt;
  HANDLE h = CreateFileW(to_path(path).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD e = GetLastError();
    attempt.busy = e == ERROR_ACCESS_DENIED &&
                   GetFileAttributesW(to_path(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!attempt.busy) {
      attempt.error = std::error_code(static_cast<int>(e), std::system_category())
                          .default_error_condition()
                          .message();
    }
    return attempt;
  }
  OVERLAPPED at{};
  if (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
    CloseHandle(h);
    attempt.busy = true;
    return attempt;
  }
  attempt.lock = std::make_unique<WindowsLock>(h);
  return attempt;
}

#else

// Removes the lock file while it still holds the lock: a process that opened the same file in
// the meantime finds, once it has the lock, that the name no longer leads to it, and tries again.
class FlockLock : public FolderLock {
 public:
  FlockLock(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  ~FlockLock() override {
    ::unlink(path_.c_str());
    ::close(fd_);
  }

 private:
  int fd_;
  std::string path_;
};

bool same_file(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

LockAttempt lock_file(const std::string& path) {
  LockAttempt attempt;
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) {
    attempt.error = std::strerror(errno);
    return attempt;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int e = errno;
    ::close(fd);
    attempt.busy = e == EWOULDBLOCK || e == EINTR;
    if (!attempt.busy) attempt.error = std::strerror(e);
    return attempt;
  }
  struct stat held {};
  struct stat named {};
  if (::fstat(fd, &held) != 0 || ::stat(path.c_str(), &named) != 0 || !same_file(held, named)) {
    ::close(fd);
    attempt.busy = true;
    return attempt;
  }
  attempt.lock = std::make_unique<FlockLock>(fd, path);
  return attempt;
}

#endif

}  // namespace

LockAttempt RealFileSystem::try_lock_folder(const std::string& folder) {
  return lock_file(join_path(folder.empty() ? "." : folder, kLockFileName));
}

}  // namespace scenario
