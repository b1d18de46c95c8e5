// The loop of `watch`: a compile at the start, then one after each save of a source, until an
// interrupt. What a compile does is the caller's; the loop decides when.
#pragma once

#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/folder_watch.h"
#include "scenario_tool/watch/debounce.h"
#include "scenario_tool/watch/watched_sources.h"

namespace scenario::tool {

struct WatchLoop {
  const WatchedSources& sources;
  FolderWatch& watch;
  FileSystem& fs;
  std::chrono::milliseconds quiet;  // after a source's last event, before it is read
  // One compile; `saved` names the sources saved since the last (empty for the first). True when
  // it ran to a verdict; false (the folder busy, a file unwritable) to try again at the next save
  // even of the same bytes.
  std::function<bool(const std::vector<std::string>& saved)> compile;
  std::function<bool()> stop_requested;
};

// Runs until stop_requested(). A source missing is told once on `err` and waited for; a save that
// leaves both sources as they were at the last compile compiles nothing.
void run_watch_loop(const WatchLoop& loop, std::ostream& err);

}  // namespace scenario::tool
