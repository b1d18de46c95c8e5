#include "platform/faulty_file_system.h"

#include <utility>

namespace scenario {

namespace {

// Counts the operation; when it is the one to fail, says so in `err`.
bool injected(FaultyFileSystem& fs, const std::string& kind, std::string* err) {
  if (!fs.should_fail(kind)) return false;
  *err = "injected failure";
  return true;
}

class FaultyOutputFile : public OutputFile {
 public:
  FaultyOutputFile(FaultyFileSystem& owner, std::unique_ptr<OutputFile> inner)
      : owner_(owner), inner_(std::move(inner)) {}

  bool write(std::string_view bytes, std::string* err) override {
    if (injected(owner_, "write", err)) {
      // Part of the bytes reach the disk, as in a real short write.
      std::string ignored;
      inner_->write(bytes.substr(0, bytes.size() / 2), &ignored);
      return false;
    }
    return inner_->write(bytes, err);
  }

  bool write_at(std::uint64_t offset, std::string_view bytes, std::string* err) override {
    if (injected(owner_, "write", err)) {
      std::string ignored;
      inner_->write_at(offset, bytes.substr(0, bytes.size() / 2), &ignored);
      return false;
    }
    return inner_->write_at(offset, bytes, err);
  }

  bool flush(std::string* err) override {
    if (injected(owner_, "flush", err)) return false;
    return inner_->flush(err);
  }

  bool sync(std::string* err) override {
    if (injected(owner_, "sync", err)) return false;
    return inner_->sync(err);
  }

  bool close(std::string* err) override {
    if (injected(owner_, "close", err)) {
      std::string ignored;
      inner_->close(&ignored);
      return false;
    }
    return inner_->close(err);
  }

 private:
  FaultyFileSystem& owner_;
  std::unique_ptr<OutputFile> inner_;
};

}  // namespace

bool FaultyFileSystem::should_fail(const std::string& kind) {
  const int n = ++counts[kind];
  return kind == fail_kind && n == fail_at;
}

std::unique_ptr<OutputFile> FaultyFileSystem::create(const std::string& path, std::string* err) {
  if (injected(*this, "create", err)) return nullptr;
  auto inner = inner_.create(path, err);
  if (!inner) return nullptr;
  return std::make_unique<FaultyOutputFile>(*this, std::move(inner));
}

bool FaultyFileSystem::read(const std::string& path, std::string* bytes, std::string* err) {
  if (injected(*this, "read", err)) return false;
  return inner_.read(path, bytes, err);
}

bool FaultyFileSystem::remove(const std::string& path, std::string* err) {
  if (injected(*this, "remove", err)) return false;
  return inner_.remove(path, err);
}

bool FaultyFileSystem::rename(const std::string& from, const std::string& to, std::string* err) {
  if (injected(*this, "rename", err)) return false;
  return inner_.rename(from, to, err);
}

bool FaultyFileSystem::list_folder(const std::string& path, std::vector<FolderEntry>* entries,
                                   std::string* err) {
  if (injected(*this, "list", err)) return false;
  return inner_.list_folder(path, entries, err);
}

bool FaultyFileSystem::make_folders(const std::string& path, std::string* err) {
  if (injected(*this, "make_folders", err)) return false;
  return inner_.make_folders(path, err);
}

bool FaultyFileSystem::sync_folder(const std::string& folder, std::string* err) {
  if (injected(*this, "sync_folder", err)) return false;
  return inner_.sync_folder(folder, err);
}

}  // namespace scenario
