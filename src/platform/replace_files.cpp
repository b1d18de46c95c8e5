#include "platform/replace_files.h"

#include <algorithm>
#include <set>
#include <thread>

#include "platform/file_system.h"
#include "platform/interrupts.h"
#include "platform/paths.h"

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace scenario {

FileError::FileError(std::string path, std::string reason, std::string_view action)
    : std::runtime_error("cannot " + std::string(action) + " " + path + ": " + reason),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

FolderBusy::FolderBusy(std::string path, const std::string& folder, std::chrono::milliseconds wait)
    : FileError(std::move(path), "the folder " + (folder.empty() ? std::string(".") : folder) +
                                     " is being written by another compile (waited " +
                                     std::to_string(wait.count()) + " ms for it to finish)") {}

namespace {

long process_id() {
#ifdef _WIN32
  return static_cast<long>(_getpid());
#else
  return static_cast<long>(::getpid());
#endif
}

}  // namespace

std::string temporary_name(const std::string& path) {
  return path + "." + std::to_string(process_id()) + ".tmp";
}

std::string backup_name(const std::string& path) { return path + ".old"; }

namespace {

// Puts the bytes into the temporary file as they come; an interrupt is noticed between pieces.
class TemporaryFileSink : public ByteSink {
 public:
  TemporaryFileSink(OutputFile& file, const std::string& path,
                    const ReplacementInProgress& replacement)
      : file_(file), path_(path), replacement_(replacement) {}

  void put(std::string_view bytes) override {
    replacement_.check();
    std::string err;
    if (!file_.write(bytes, &err)) throw FileError(path_, err);
  }

  void put_at(std::uint64_t offset, std::string_view bytes) override {
    replacement_.check();
    std::string err;
    if (!file_.write_at(offset, bytes, &err)) throw FileError(path_, err);
  }

 private:
  OutputFile& file_;
  const std::string& path_;
  const ReplacementInProgress& replacement_;
};

void write_temporary(FileSystem& fs, const OutputStream& output,
                     const ReplacementInProgress& replacement) {
  const std::string tmp = temporary_name(output.path);
  std::string err;
  auto file = fs.create(tmp, &err);
  if (!file) throw FileError(output.path, err);
  TemporaryFileSink sink(*file, output.path, replacement);
  output.write(sink);
  // Synced before its rename: otherwise a power cut can leave the new name on an empty file.
  if (!file->flush(&err) || !file->sync(&err) || !file->close(&err)) {
    throw FileError(output.path, err);
  }
  replacement.check();
}

void remove_if_there(FileSystem& fs, const std::string& path) {
  std::string ignored;
  if (fs.exists(path)) fs.remove(path, &ignored);
}

void remove_temporaries(FileSystem& fs, const std::vector<OutputStream>& files) {
  for (const auto& f : files) remove_if_there(fs, temporary_name(f.path));
}

// The folders of the files, each once, in one order for every process.
std::vector<std::string> folders_of(const std::vector<OutputStream>& files) {
  std::set<std::string> folders;
  for (const auto& f : files) folders.insert(utf8_of(to_path(f.path).parent_path()));
  return {folders.begin(), folders.end()};
}

// A temporary name of `name`, of this process or another: NAME.tmp or NAME.PID.tmp.
bool is_temporary_of(std::string_view entry, std::string_view name) {
  if (!entry.starts_with(name) || !entry.ends_with(".tmp")) return false;
  std::string_view middle = entry.substr(name.size(), entry.size() - name.size() - 4);
  if (middle.empty()) return true;
  if (middle.front() != '.' || middle.size() < 2) return false;
  middle.remove_prefix(1);
  return std::all_of(middle.begin(), middle.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Every process's temporary files of the set, each folder listed once. Only called under the
// folders' locks, so none of them belongs to a live replacement.
void remove_all_temporaries(FileSystem& fs, const std::vector<OutputStream>& files) {
  std::string ignored;
  for (const std::string& folder : folders_of(files)) {
    std::vector<FolderEntry> entries;
    if (!fs.list_folder(folder.empty() ? "." : folder, &entries, &ignored)) continue;
    for (const auto& f : files) {
      if (utf8_of(to_path(f.path).parent_path()) != folder) continue;
      const std::string name = file_name(f.path);
      for (const FolderEntry& e : entries) {
        if (e.kind == PathKind::file && is_temporary_of(e.name, name)) {
          fs.remove(join_path(folder, e.name), &ignored);
        }
      }
    }
  }
}

// What a killed replacement left: its temporary files go, and an old file comes back when its
// target is missing (the new one never took its place); one whose target is there goes too.
void clear_leftovers(FileSystem& fs, const std::vector<OutputStream>& files) {
  std::string ignored;
  remove_all_temporaries(fs, files);
  for (const auto& f : files) {
    const std::string old = backup_name(f.path);
    if (!fs.exists(old)) continue;
    if (fs.exists(f.path)) {
      fs.remove(old, &ignored);
    } else {
      fs.rename(old, f.path, &ignored);
    }
  }
}

const std::string& first_file_in(const std::vector<OutputStream>& files,
                                 const std::string& folder) {
  for (const auto& f : files) {
    if (utf8_of(to_path(f.path).parent_path()) == folder) return f.path;
  }
  return files.front().path;
}

// Waits for each folder's lock, polling, so that an interrupt is still noticed while it waits.
std::vector<std::unique_ptr<FolderLock>> lock_folders(FileSystem& fs,
                                                      const std::vector<OutputStream>& files,
                                                      std::chrono::milliseconds wait,
                                                      const ReplacementInProgress& replacement) {
  std::vector<std::unique_ptr<FolderLock>> locks;
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (const std::string& folder : folders_of(files)) {
    for (;;) {
      LockAttempt attempt = fs.try_lock_folder(folder);
      if (attempt.lock) {
        locks.push_back(std::move(attempt.lock));
        break;
      }
      const std::string& path = first_file_in(files, folder);
      if (!attempt.busy) throw FileError(path, attempt.error);
      if (std::chrono::steady_clock::now() >= deadline) throw FolderBusy(path, folder, wait);
      replacement.check();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  return locks;
}

// The renames into place reach the storage before the old files go.
void sync_folders(FileSystem& fs, const std::vector<OutputStream>& files) {
  std::string err;
  for (const std::string& folder : folders_of(files)) {
    if (!fs.sync_folder(folder.empty() ? "." : folder, &err)) {
      throw FileError(first_file_in(files, folder), err);
    }
  }
}

// Puts the old files back after a failed exchange: the new files already in place go, the
// backups return. Best effort: the failure that led here is what gets reported.
void restore(FileSystem& fs, const std::vector<OutputStream>& files,
             const std::vector<bool>& backed_up, std::size_t installed) {
  std::string ignored;
  for (std::size_t i = 0; i < installed; ++i) fs.remove(files[i].path, &ignored);
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (backed_up[i]) fs.rename(backup_name(files[i].path), files[i].path, &ignored);
  }
  remove_temporaries(fs, files);
}

// Old files step aside first, so that a failure part-way can put the whole set back.
void exchange(FileSystem& fs, const std::vector<OutputStream>& files,
              const ReplacementInProgress& replacement) {
  std::vector<bool> backed_up(files.size(), false);
  std::size_t installed = 0;
  try {
    std::string err;
    for (std::size_t i = 0; i < files.size(); ++i) {
      replacement.check();
      if (!fs.exists(files[i].path)) continue;
      if (!fs.rename(files[i].path, backup_name(files[i].path), &err)) {
        throw FileError(files[i].path, err);
      }
      backed_up[i] = true;
    }
    for (; installed < files.size(); ++installed) {
      replacement.check();
      if (!fs.rename(temporary_name(files[installed].path), files[installed].path, &err)) {
        throw FileError(files[installed].path, err);
      }
    }
    sync_folders(fs, files);
  } catch (...) {
    restore(fs, files, backed_up, installed);
    throw;
  }
  // The new set is whole: the old one goes.
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (backed_up[i]) remove_if_there(fs, backup_name(files[i].path));
  }
}

}  // namespace

void replace_files(FileSystem& fs, const std::vector<OutputStream>& files,
                   const ReplaceOptions& options) {
  if (files.empty()) return;
  ReplacementInProgress replacement;
  const auto locks = lock_folders(fs, files, options.lock_wait, replacement);
  clear_leftovers(fs, files);
  try {
    for (const auto& f : files) write_temporary(fs, f, replacement);
  } catch (...) {
    remove_temporaries(fs, files);
    throw;
  }
  exchange(fs, files, replacement);
  replacement.finish();
}

void replace_files(FileSystem& fs, const std::vector<OutputBlob>& files,
                   const ReplaceOptions& options) {
  std::vector<OutputStream> streams;
  streams.reserve(files.size());
  for (const OutputBlob& blob : files) {
    streams.push_back({blob.path, [&blob](ByteSink& sink) { sink.put(blob.bytes); }});
  }
  replace_files(fs, streams, options);
}

void replace_file(FileSystem& fs, const std::string& path, std::string_view bytes) {
  replace_files(fs, {OutputStream{path, [bytes](ByteSink& sink) { sink.put(bytes); }}});
}

}  // namespace scenario
