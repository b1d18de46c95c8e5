// A file system held in memory: for tests that only need files, and for the fuzzers, whose
// compiles run thousands of times a second without touching the disk.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace scenario {

// Behaves as a disk does where it matters to the system: a file being written is visible under
// its name at once, a removed or renamed file keeps receiving what an open handle writes, and a
// missing file cannot be read, removed or renamed. Folders are "/"-separated (on Windows "\\" as
// well, either leading to the same file); a folder exists when it was made or when a file lies
// below it, and a file may be put anywhere.
class MemoryFileSystem : public FileSystem {
 public:
  PathKind kind_of(const std::string& path) override;
  std::unique_ptr<OutputFile> create(const std::string& path, std::string* err) override;
  bool read(const std::string& path, std::string* bytes, std::string* err) override;
  bool remove(const std::string& path, std::string* err) override;
  bool rename(const std::string& from, const std::string& to, std::string* err) override;
  bool list_folder(const std::string& path, std::vector<FolderEntry>* entries,
                   std::string* err) override;
  bool make_folders(const std::string& path, std::string* err) override;

  // Puts a file in place, replacing any file of that name.
  void put(const std::string& path, std::string bytes);
  bool has(const std::string& path) const;
  // The file's bytes, or nothing when there is no such file.
  std::optional<std::string> contents(const std::string& path) const;
  // The same bytes where they lie, or null: for a caller that only looks at a large file.
  const std::string* find(const std::string& path) const;
  // Every file name, as it was written, sorted.
  std::vector<std::string> paths() const;

 private:
  bool has_folder(const std::string& path) const;

  struct File {
    std::string name;  // as it was last written or renamed to
    std::shared_ptr<std::string> bytes;
  };
  // By the name with "/" for a separator.
  std::map<std::string, File> files_;
  std::set<std::string> folders_;
};

}  // namespace scenario
