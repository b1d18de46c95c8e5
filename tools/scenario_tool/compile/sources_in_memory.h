// The file system that a compile of an author's sources works on. The compiler reads its two
// sources from the scenario's folder and deletes them as it reads; here the two source names are
// served from memory and their deletion stays there, so the author's files are never opened for
// writing nor deleted, even when the output folder is the sources' own. Everything else goes to
// the file system below, and the output folder is made when the first file is written into it.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace scenario::tool {

class SourcesInMemory : public FileSystem {
 public:
  // `sources` maps each source path the compiler will use to its bytes.
  SourcesInMemory(FileSystem& inner, std::map<std::string, std::string> sources,
                  std::string output_folder);

  PathKind kind_of(const std::string& path) override;
  // Throws FileError, naming the folder, when the output folder cannot be made.
  std::unique_ptr<OutputFile> create(const std::string& path, std::string* err) override;
  bool read(const std::string& path, std::string* bytes, std::string* err) override;
  bool remove(const std::string& path, std::string* err) override;
  bool rename(const std::string& from, const std::string& to, std::string* err) override;
  bool list_folder(const std::string& path, std::vector<FolderEntry>* entries,
                   std::string* err) override;
  bool make_folders(const std::string& path, std::string* err) override;

 private:
  bool serves(const std::string& path) const { return sources_.contains(path); }

  FileSystem& inner_;
  // A source the compiler has deleted stays here, without its bytes.
  std::map<std::string, std::optional<std::string>> sources_;
  std::string output_folder_;
  bool folder_made_ = false;
};

}  // namespace scenario::tool
