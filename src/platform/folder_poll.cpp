// The portable watch: each folder listed again every period, an entry changed when its size or
// modification time differs from the last look, or it came or went.
#include <filesystem>
#include <map>
#include <thread>

#include "platform/folder_watch.h"
#include "platform/paths.h"

namespace scenario {

namespace {

namespace fs = std::filesystem;

struct Stamp {
  std::uintmax_t size = 0;
  fs::file_time_type time{};

  bool operator==(const Stamp&) const = default;
};

using Snapshot = std::map<std::string, Stamp>;

bool look(const std::string& folder, Snapshot* snapshot, std::string* err) {
  std::error_code ec;
  fs::directory_iterator it(to_path(folder), ec);
  if (ec) {
    if (err != nullptr) *err = ec.message();
    return false;
  }
  snapshot->clear();
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    Stamp stamp;
    std::error_code size_ec;
    stamp.size = it->is_regular_file(size_ec) ? it->file_size(size_ec) : 0;
    stamp.time = it->last_write_time(size_ec);
    (*snapshot)[utf8_of(it->path().filename())] = stamp;
  }
  return true;
}

void add_differences(std::size_t folder, const Snapshot& before, const Snapshot& after,
                     std::vector<FolderChange>& changes) {
  for (const auto& [name, stamp] : after) {
    const auto old = before.find(name);
    if (old == before.end() || !(old->second == stamp)) changes.push_back({folder, name});
  }
  for (const auto& [name, stamp] : before) {
    if (!after.contains(name)) changes.push_back({folder, name});
  }
}

class PollingWatch : public FolderWatch {
 public:
  PollingWatch(std::vector<std::string> folders, std::chrono::milliseconds period)
      : folders_(std::move(folders)), period_(period), snapshots_(folders_.size()) {}

  bool start(std::string* err) {
    for (std::size_t i = 0; i < folders_.size(); ++i) {
      if (!look(folders_[i], &snapshots_[i], err)) return false;
    }
    return true;
  }

  std::vector<FolderChange> wait(std::chrono::milliseconds timeout) override {
    const auto end = std::chrono::steady_clock::now() + timeout;
    std::vector<FolderChange> changes;
    while (changes.empty()) {
      for (std::size_t i = 0; i < folders_.size(); ++i) {
        Snapshot now;
        // A folder that cannot be listed for a moment (removed, renamed) is looked at again.
        if (!look(folders_[i], &now, nullptr)) continue;
        add_differences(i, snapshots_[i], now, changes);
        snapshots_[i] = std::move(now);
      }
      if (!changes.empty() || std::chrono::steady_clock::now() >= end) break;
      std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
          period_, end - std::chrono::steady_clock::now()));
    }
    return changes;
  }

 private:
  std::vector<std::string> folders_;
  std::chrono::milliseconds period_;
  std::vector<Snapshot> snapshots_;
};

}  // namespace

std::unique_ptr<FolderWatch> poll_folders(const std::vector<std::string>& folders,
                                          std::chrono::milliseconds period, std::string* err) {
  auto watch = std::make_unique<PollingWatch>(folders, period);
  if (!watch->start(err)) return nullptr;
  return watch;
}

}  // namespace scenario
