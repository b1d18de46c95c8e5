// The watch of the system where there is one: inotify on Linux. Elsewhere the folders are polled
// (folder_poll.cpp), which sees a save a period late and no save that keeps size and time.
#include "platform/folder_watch.h"

#ifdef __linux__
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#endif

namespace scenario {

#ifdef __linux__

namespace {

// Writes that end, entries made, moved in or out, removed: every way an editor saves.
constexpr std::uint32_t watched_events =
    IN_CLOSE_WRITE | IN_MODIFY | IN_CREATE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE;

class InotifyWatch : public FolderWatch {
 public:
  ~InotifyWatch() override {
    if (fd_ >= 0) close(fd_);
  }

  bool start(const std::vector<std::string>& folders, std::string* err) {
    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0) return failed(err);
    for (std::size_t i = 0; i < folders.size(); ++i) {
      const int wd = inotify_add_watch(fd_, folders[i].c_str(), watched_events | IN_ONLYDIR);
      if (wd < 0) return failed(err);
      folder_of_[wd] = i;
    }
    return true;
  }

  std::vector<FolderChange> wait(std::chrono::milliseconds timeout) override {
    pollfd p{fd_, POLLIN, 0};
    // An interrupt cuts the wait short, as a timeout does: the caller looks at why.
    if (poll(&p, 1, static_cast<int>(timeout.count())) <= 0) return {};
    return read_events();
  }

 private:
  static bool failed(std::string* err) {
    if (err != nullptr) *err = std::strerror(errno);
    return false;
  }

  std::vector<FolderChange> read_events() {
    std::vector<FolderChange> changes;
    alignas(inotify_event) char buffer[16384];
    for (;;) {
      const ssize_t got = read(fd_, buffer, sizeof buffer);
      if (got <= 0) break;
      for (ssize_t at = 0; at < got;) {
        const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
        const auto folder = folder_of_.find(e->wd);
        if (e->len > 0 && folder != folder_of_.end()) changes.push_back({folder->second, e->name});
        at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
      }
    }
    return changes;
  }

  int fd_ = -1;
  std::map<int, std::size_t> folder_of_;
};

}  // namespace

std::unique_ptr<FolderWatch> watch_folders(const std::vector<std::string>& folders,
                                           std::string* err) {
  auto watch = std::make_unique<InotifyWatch>();
  if (!watch->start(folders, err)) return nullptr;
  return watch;
}

#else

std::unique_ptr<FolderWatch> watch_folders(const std::vector<std::string>& folders,
                                           std::string* err) {
  return poll_folders(folders, std::chrono::milliseconds(100), err);
}

#endif

}  // namespace scenario
