#include "platform/memory_file_system.h"

#include <utility>

namespace scenario::fuzz {

namespace {

constexpr const char* kNoSuchFile = "No such file or directory";

// Writes into the buffer its file had when it was created, wherever that file is now.
class MemoryOutputFile : public OutputFile {
 public:
  explicit MemoryOutputFile(std::shared_ptr<std::string> buffer) : buffer_(std::move(buffer)) {}

  bool write(std::string_view bytes, std::string* err) override {
    if (!open(err)) return false;
    buffer_->append(bytes);
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

bool MemoryFileSystem::exists(const std::string& path) { return files_.contains(path); }

std::unique_ptr<OutputFile> MemoryFileSystem::create(const std::string& path, std::string*) {
  auto buffer = std::make_shared<std::string>();
  files_[path] = buffer;
  return std::make_unique<MemoryOutputFile>(std::move(buffer));
}

bool MemoryFileSystem::read(const std::string& path, std::string* bytes, std::string* err) {
  const auto it = files_.find(path);
  if (it == files_.end()) {
    *err = kNoSuchFile;
    return false;
  }
  *bytes = *it->second;
  return true;
}

bool MemoryFileSystem::remove(const std::string& path, std::string* err) {
  if (files_.erase(path) == 0) {
    *err = kNoSuchFile;
    return false;
  }
  return true;
}

bool MemoryFileSystem::rename(const std::string& from, const std::string& to, std::string* err) {
  const auto it = files_.find(from);
  if (it == files_.end()) {
    *err = kNoSuchFile;
    return false;
  }
  auto buffer = std::move(it->second);
  files_.erase(it);
  files_[to] = std::move(buffer);
  return true;
}

void MemoryFileSystem::put(const std::string& path, std::string bytes) {
  files_[path] = std::make_shared<std::string>(std::move(bytes));
}

std::optional<std::string> MemoryFileSystem::contents(const std::string& path) const {
  const auto it = files_.find(path);
  if (it == files_.end()) return std::nullopt;
  return *it->second;
}

std::vector<std::string> MemoryFileSystem::paths() const {
  std::vector<std::string> out;
  out.reserve(files_.size());
  for (const auto& entry : files_) out.push_back(entry.first);
  return out;
}

}  // namespace scenario::fuzz
