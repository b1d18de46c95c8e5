#include "scenario_tool/watch/watched_sources.h"

#include <algorithm>

#include "format/file_limits.h"
#include "platform/paths.h"

namespace scenario::tool {

namespace {

std::string folder_of(const std::string& path) {
  const std::string folder = utf8_of(to_path(path).lexically_normal().parent_path());
  return folder.empty() ? "." : folder;
}

}  // namespace

WatchedSources watched_sources(const std::string& line_source, const std::string& train_source) {
  WatchedSources watched;
  const std::array<const std::string*, 2> paths{&line_source, &train_source};
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::string folder = folder_of(*paths[i]);
    auto at = std::find(watched.folders.begin(), watched.folders.end(), folder);
    if (at == watched.folders.end()) at = watched.folders.insert(at, folder);
    watched.sources[i] = {*paths[i], static_cast<std::size_t>(at - watched.folders.begin()),
                          file_name(*paths[i])};
  }
  return watched;
}

const WatchedSource* saved_source(const WatchedSources& watched, const FolderChange& change) {
  for (const WatchedSource& source : watched.sources) {
    if (source.folder == change.folder && source.name == change.name) return &source;
  }
  return nullptr;
}

SourceBytes read_sources(FileSystem& fs, const WatchedSources& watched) {
  SourceBytes result;
  std::array<std::string, 2> bytes;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::string& path = watched.sources[i].path;
    if (!fs.exists(path)) {
      result.missing.push_back(path);
      continue;
    }
    // A source that cannot be read is left to the compile, which tells why.
    std::string reason;
    if (!fs.read_up_to(path, max_source_bytes, &bytes[i], &reason)) bytes[i] = "\n" + reason;
  }
  if (result.missing.empty()) result.bytes = std::move(bytes);
  return result;
}

}  // namespace scenario::tool
