#include "platform/replace_files.h"

#include "platform/file_system.h"

namespace scenario {

FileError::FileError(std::string path, std::string reason, std::string_view action)
    : std::runtime_error("cannot " + std::string(action) + " " + path + ": " + reason),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

std::string temporary_name(const std::string& path) { return path + ".tmp"; }

std::string backup_name(const std::string& path) { return path + ".old"; }

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

void remove_if_there(FileSystem& fs, const std::string& path) {
  std::string ignored;
  if (fs.exists(path)) fs.remove(path, &ignored);
}

void remove_temporaries(FileSystem& fs, const std::vector<OutputBlob>& files) {
  for (const auto& blob : files) remove_if_there(fs, temporary_name(blob.path));
}

// Puts the old files back after a failed exchange: the new files already in place go, the
// backups return. Best effort: the failure that led here is what gets reported.
void restore(FileSystem& fs, const std::vector<OutputBlob>& files,
             const std::vector<bool>& backed_up, std::size_t installed) {
  std::string ignored;
  for (std::size_t i = 0; i < installed; ++i) fs.remove(files[i].path, &ignored);
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (backed_up[i]) fs.rename(backup_name(files[i].path), files[i].path, &ignored);
  }
  remove_temporaries(fs, files);
}

}  // namespace

void replace_files(FileSystem& fs, const std::vector<OutputBlob>& files) {
  try {
    for (const auto& blob : files) write_temporary(fs, blob);
  } catch (const FileError&) {
    remove_temporaries(fs, files);
    throw;
  }
  // Old files step aside first, so that a failure part-way can put the whole set back.
  std::vector<bool> backed_up(files.size(), false);
  std::string err;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!fs.exists(files[i].path)) continue;
    remove_if_there(fs, backup_name(files[i].path));
    if (!fs.rename(files[i].path, backup_name(files[i].path), &err)) {
      restore(fs, files, backed_up, 0);
      throw FileError(files[i].path, err);
    }
    backed_up[i] = true;
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!fs.rename(temporary_name(files[i].path), files[i].path, &err)) {
      restore(fs, files, backed_up, i);
      throw FileError(files[i].path, err);
    }
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (backed_up[i]) remove_if_there(fs, backup_name(files[i].path));
  }
}

void replace_file(FileSystem& fs, const std::string& path, std::string_view bytes) {
  replace_files(fs, {OutputBlob{path, std::string(bytes)}});
}

}  // namespace scenario
