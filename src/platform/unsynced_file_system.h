// Another file system with its syncs left out: for batch runs that would rather be fast than
// keep their files through a power cut (`compile --no-sync`). Everything else is the other's.
#pragma once

#include "platform/file_system.h"

namespace scenario {

class UnsyncedFileSystem : public FileSystem {
 public:
  explicit UnsyncedFileSystem(FileSystem& inner) : inner_(inner) {}

  PathKind kind_of(const std::string& path) override { return inner_.kind_of(path); }
  std::unique_ptr<OutputFile> create(const std::string& path, std::string* err) override;
  bool read(const std::string& path, std::string* bytes, std::string* err) override {
    return inner_.read(path, bytes, err);
  }
  bool read_up_to(const std::string& path, std::uint64_t limit, std::string* bytes,
                  std::string* err) override {
    return inner_.read_up_to(path, limit, bytes, err);
  }
  bool remove(const std::string& path, std::string* err) override {
    return inner_.remove(path, err);
  }
  bool rename(const std::string& from, const std::string& to, std::string* err) override {
    return inner_.rename(from, to, err);
  }
  bool list_folder(const std::string& path, std::vector<FolderEntry>* entries,
                   std::string* err) override {
    return inner_.list_folder(path, entries, err);
  }
  bool make_folders(const std::string& path, std::string* err) override {
    return inner_.make_folders(path, err);
  }
  std::string describe(const std::string& path) override { return inner_.describe(path); }
  LockAttempt try_lock_folder(const std::string& folder) override {
    return inner_.try_lock_folder(folder);
  }
  bool sync_folder(const std::string& /*folder*/, std::string* /*err*/) override { return true; }
  std::string real_path(const std::string& path) override { return inner_.real_path(path); }

 private:
  FileSystem& inner_;
};

}  // namespace scenario
