#include "scenario_tool/compile/sources_in_memory.h"

#include <utility>

#include "platform/replace_files.h"

namespace scenario::tool {

namespace {

constexpr const char* kNoSuchFile = "No such file or directory";
constexpr const char* kSourceNotWritten = "a source is only read";

}  // namespace

SourcesInMemory::SourcesInMemory(FileSystem& inner, std::map<std::string, std::string> sources,
                                 std::string output_folder)
    : inner_(inner), output_folder_(std::move(output_folder)) {
  for (auto& [path, bytes] : sources) sources_.emplace(path, std::move(bytes));
}

PathKind SourcesInMemory::kind_of(const std::string& path) {
  if (!serves(path)) return inner_.kind_of(path);
  return sources_.at(path) ? PathKind::file : PathKind::missing;
}

std::unique_ptr<OutputFile> SourcesInMemory::create(const std::string& path, std::string* err) {
  if (serves(path)) {
    *err = kSourceNotWritten;
    return nullptr;
  }
  if (!folder_made_) {
    std::string reason;
    if (!inner_.make_folders(output_folder_, &reason)) {
      throw FileError(output_folder_, reason, "create");
    }
    folder_made_ = true;
  }
  return inner_.create(path, err);
}

bool SourcesInMemory::read(const std::string& path, std::string* bytes, std::string* err) {
  if (!serves(path)) return inner_.read(path, bytes, err);
  const auto& source = sources_.at(path);
  if (!source) {
    *err = kNoSuchFile;
    return false;
  }
  *bytes = *source;
  return true;
}

bool SourcesInMemory::remove(const std::string& path, std::string* err) {
  if (!serves(path)) return inner_.remove(path, err);
  auto& source = sources_.at(path);
  if (!source) {
    *err = kNoSuchFile;
    return false;
  }
  source.reset();
  return true;
}

bool SourcesInMemory::rename(const std::string& from, const std::string& to, std::string* err) {
  if (serves(from) || serves(to)) {
    *err = kSourceNotWritten;
    return false;
  }
  return inner_.rename(from, to, err);
}

bool SourcesInMemory::list_folder(const std::string& path, std::vector<FolderEntry>* entries,
                                  std::string* err) {
  return inner_.list_folder(path, entries, err);
}

bool SourcesInMemory::make_folders(const std::string& path, std::string* err) {
  return inner_.make_folders(path, err);
}

}  // namespace scenario::tool
