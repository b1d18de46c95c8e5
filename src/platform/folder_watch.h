// Changes to the files of a few folders, for `scenario_tool watch`. The folders are watched, not
// the files: editors save by writing a new file and renaming it over the old one, which a watch
// on the old file would never see.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace scenario {

// An entry of a watched folder that was written, made, renamed or removed.
struct FolderChange {
  std::size_t folder = 0;  // the index of its folder, in the order given
  std::string name;        // the entry's own name

  bool operator==(const FolderChange&) const = default;
};

class FolderWatch {
 public:
  virtual ~FolderWatch() = default;
  // Waits up to `timeout` for changes and returns them (a name may come more than once); empty
  // when none came.
  virtual std::vector<FolderChange> wait(std::chrono::milliseconds timeout) = 0;
};

// The system's own notifications where there are (inotify on Linux), else polling. Null, with
// the reason in `err`, when a folder cannot be watched.
std::unique_ptr<FolderWatch> watch_folders(const std::vector<std::string>& folders,
                                           std::string* err);

// Polling: every `period`, the size and modification time of each entry against the last look.
std::unique_ptr<FolderWatch> poll_folders(const std::vector<std::string>& folders,
                                          std::chrono::milliseconds period, std::string* err);

}  // namespace scenario
