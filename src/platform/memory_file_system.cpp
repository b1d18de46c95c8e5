#include "platform/memory_file_system.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

namespace scenario {

namespace {

constexpr const char* kNoSuchFile = "No such file or directory";

// A Windows name takes either separator, and both lead to one file: files are found by their
// name with "/", so that a file put as "f/a" is the one a join of "f" and "a" ("f\\a") reaches.
std::string key(std::string path) {
#ifdef _WIN32
  std::replace(path.begin(), path.end(), '\\', '/');
#endif
  return path;
}

// The folder part of a path and its own name.
std::pair<std::string, std::string> split_path(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return {"", path};
  return {path.substr(0, slash), path.substr(slash + 1)};
}

// The part of `path` below `folder`, when it lies below it.
std::optional<std::string> below(const std::string& path, const std::string& folder) {
  if (path.size() <= folder.size() + 1 || !path.starts_with(folder)) return std::nullopt;
  if (path[folder.size()] != '/') return std::nullopt;
  return path.substr(folder.size() + 1);
}

// Writes into the buffer its file had when it was created, wherever that file is now.
class MemoryOutputFile : public OutputFile {
 public:
  explicit MemoryOutputFile(std::shared_ptr<std::string> buffer) : buffer_(std::move(buffer)) {}

  bool write(std::string_view bytes, std::string* err) override {
    if (!open(err)) return false;
    buffer_->append(bytes);
    return true;
  }

  bool write_at(std::uint64_t offset, std::string_view bytes, std::string* err) override {
    if (!open(err)) return false;
    // A gap before the offset reads as zeros, as on a disk; what lies past the end is appended
    // rather than cleared and then overwritten.
    const auto at = static_cast<std::size_t>(offset);
    if (buffer_->size() < at) buffer_->resize(at, '\0');
    const std::size_t overlap = std::min(bytes.size(), buffer_->size() - at);
    buffer_->replace(at, overlap, bytes.data(), overlap);
    buffer_->append(bytes.substr(overlap));
    return true;
  }

  bool flush(std::string* err) override { return open(err); }

  bool close(std::string* err) override {
    if (!open(err)) return false;
    buffer_.reset();
    return true;
  }

 private:
  bool open(std::string* err) const {
    if (buffer_) return true;
    *err = "Bad file descriptor";
    return false;
  }

  std::shared_ptr<std::string> buffer_;
};

}  // namespace

PathKind MemoryFileSystem::kind_of(const std::string& name) {
  const std::string path = key(name);
  if (files_.contains(path)) return PathKind::file;
  return has_folder(path) ? PathKind::folder : PathKind::missing;
}

bool MemoryFileSystem::has_folder(const std::string& path) const {
  if (folders_.contains(path)) return true;
  for (const auto& file : files_) {
    if (below(file.first, path)) return true;
  }
  for (const auto& folder : folders_) {
    if (below(folder, path)) return true;
  }
  return false;
}

bool MemoryFileSystem::list_folder(const std::string& name, std::vector<FolderEntry>* entries,
                                   std::string* err) {
  const std::string path = key(name);
  entries->clear();
  if (!has_folder(path)) {
    *err = files_.contains(path) ? "Not a directory" : kNoSuchFile;
    return false;
  }
  std::map<std::string, PathKind> found;
  const auto take = [&](const std::string& p, PathKind kind) {
    const auto rest = below(p, path);
    if (!rest) return;
    const auto slash = rest->find('/');
    if (slash == std::string::npos) {
      found.emplace(*rest, kind);
    } else {
      found[rest->substr(0, slash)] = PathKind::folder;
    }
  };
  for (const auto& file : files_) take(file.first, PathKind::file);
  for (const auto& folder : folders_) take(folder, PathKind::folder);
  for (const auto& [name, kind] : found) entries->push_back({name, kind});
  return true;
}

bool MemoryFileSystem::make_folders(const std::string& name, std::string* err) {
  const std::string path = key(name);
  for (std::string p = path; !p.empty(); p = split_path(p).first) {
    if (files_.contains(p)) {
      *err = "File exists";
      return false;
    }
  }
  for (std::string p = path; !p.empty(); p = split_path(p).first) folders_.insert(p);
  return true;
}

std::unique_ptr<OutputFile> MemoryFileSystem::create(const std::string& path, std::string*) {
  auto buffer = std::make_shared<std::string>();
  files_[key(path)] = {path, buffer};
  return std::make_unique<MemoryOutputFile>(std::move(buffer));
}

bool MemoryFileSystem::read(const std::string& path, std::string* bytes, std::string* err) {
  const auto it = files_.find(key(path));
  if (it == files_.end()) {
    *err = kNoSuchFile;
    return false;
  }
  *bytes = *it->second.bytes;
  return true;
}

bool MemoryFileSystem::remove(const std::string& path, std::string* err) {
  if (files_.erase(key(path)) == 0) {
    *err = kNoSuchFile;
    return false;
  }
  return true;
}

bool MemoryFileSystem::rename(const std::string& from, const std::string& to, std::string* err) {
  const auto it = files_.find(key(from));
  if (it == files_.end()) {
    *err = kNoSuchFile;
    return false;
  }
  auto buffer = std::move(it->second.bytes);
  files_.erase(it);
  files_[key(to)] = {to, std::move(buffer)};
  return true;
}

void MemoryFileSystem::put(const std::string& path, std::string bytes) {
  files_[key(path)] = {path, std::make_shared<std::string>(std::move(bytes))};
}

bool MemoryFileSystem::has(const std::string& path) const { return files_.contains(key(path)); }

std::optional<std::string> MemoryFileSystem::contents(const std::string& path) const {
  const auto it = files_.find(key(path));
  if (it == files_.end()) return std::nullopt;
  return *it->second.bytes;
}

const std::string* MemoryFileSystem::find(const std::string& path) const {
  const auto it = files_.find(key(path));
  return it == files_.end() ? nullptr : it->second.bytes.get();
}

std::vector<std::string> MemoryFileSystem::paths() const {
  std::vector<std::string> out;
  out.reserve(files_.size());
  for (const auto& entry : files_) out.push_back(entry.second.name);
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace scenario
