// A file system that fails one chosen operation of another, for the tests of what the system does
// when the disk fails it: operations are counted by kind ("create", "write", "flush", "close",
// "rename", "remove", "read", "list", "make_folders", "sync", "sync_folder"), and the Nth of the
// kind named in `fail_kind` fails with "injected failure".
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace scenario {

class FaultyFileSystem : public FileSystem {
 public:
  explicit FaultyFileSystem(FileSystem& inner) : inner_(inner) {}

  std::string fail_kind;
  int fail_at = 0;
  std::map<std::string, int> counts;

  PathKind kind_of(const std::string& path) override { return inner_.kind_of(path); }
  std::unique_ptr<OutputFile> create(const std::string& path, std::string* err) override;
  bool read(const std::string& path, std::string* bytes, std::string* err) override;
  bool remove(const std::string& path, std::string* err) override;
  bool rename(const std::string& from, const std::string& to, std::string* err) override;
  bool list_folder(const std::string& path, std::vector<FolderEntry>* entries,
                   std::string* err) override;
  bool make_folders(const std::string& path, std::string* err) override;
  std::string describe(const std::string& path) override { return inner_.describe(path); }
  LockAttempt try_lock_folder(const std::string& folder) override {
    return inner_.try_lock_folder(folder);
  }
  bool sync_folder(const std::string& folder, std::string* err) override;
  std::string real_path(const std::string& path) override { return inner_.real_path(path); }

  // Counts one operation; true when it is the one to fail.
  bool should_fail(const std::string& kind);

 private:
  FileSystem& inner_;
};

}  // namespace scenario
