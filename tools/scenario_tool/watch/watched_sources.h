// The two sources a watch compiles: the folders to watch for them, which change is a save of
// one, and their bytes as they are now.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/folder_watch.h"

namespace scenario::tool {

struct WatchedSource {
  std::string path;
  std::size_t folder = 0;  // its folder's index in WatchedSources::folders
  std::string name;        // its own name in that folder
};

struct WatchedSources {
  std::vector<std::string> folders;  // each once, even when both sources share one
  std::array<WatchedSource, 2> sources;
};

// The line source, then the train source.
WatchedSources watched_sources(const std::string& line_source, const std::string& train_source);

// The source the change is a save of, if any (an editor's swap and backup files are not).
const WatchedSource* saved_source(const WatchedSources& watched, const FolderChange& change);

// Both sources' bytes, or the paths of those that are no regular file now (between an editor's
// rename and its new file, or not made yet).
struct SourceBytes {
  std::optional<std::array<std::string, 2>> bytes;
  std::vector<std::string> missing;
};
SourceBytes read_sources(FileSystem& fs, const WatchedSources& watched);

}  // namespace scenario::tool
