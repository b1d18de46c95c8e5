#include "run/replace_files.h"

#include "platform/file_system.h"

namespace scenario {

FileError::FileError(std::string path, std::string reason, std::string_view action)
    : std::runtime_error("cannot " + std::string(action) + " " + path + ": " + reason),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

std::string temporary_name(const std::string& path) { return path + ".tmp"; }

namespace {

void write_temporary(FileSystem& fs, const OutputBlob& blob) {
  const std::string tmp = temporary_name(blob.path);
  std::string err;
  auto file = fs.create(tmp, &err);
  if (!file) throw FileError(blob.path, err);
  if (!file->write(blob.bytes, &err) || !file->flush(&err) || !file->close(&err)) {
    throw FileError(blob.path, err);
  }
}

void remove_temporaries(FileSystem& fs, const std::vector<OutputBlob>& files, std::size_t from) {
  for (std::size_t i = from; i < files.size(); ++i) {
    const std::string tmp = temporary_name(files[i].path);
    std::string ignored;
    if (fs.exists(tmp)) fs.remove(tmp, &ignored);
  }
}

}  // namespace

void replace_files(FileSystem& fs, const std::vector<OutputBlob>& files) {
  try {
    for (const auto& blob : files) write_temporary(fs, blob);
  } catch (const FileError&) {
    remove_temporaries(fs, files, 0);
    throw;
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    std::string err;
    if (!fs.rename(temporary_name(files[i].path), files[i].path, &err)) {
      remove_temporaries(fs, files, i);
      throw FileError(files[i].path, err);
    }
  }
}

void replace_file(FileSystem& fs, const std::string& path, std::string_view bytes) {
  replace_files(fs, {OutputBlob{path, std::string(bytes)}});
}

}  // namespace scenario
