// Replaces output files in full without ever leaving a torn one: each file is written to a
// temporary file in the same folder and then renamed over its target. An interrupt during a
// replacement puts the old set back before the program ends (platform/interrupts.h).
#pragma once

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/byte_sink.h"

namespace scenario {

class FileSystem;

// A file that could not be created, written or read. An old file, if any, is untouched.
class FileError : public std::runtime_error {
 public:
  FileError(std::string path, std::string reason, std::string_view action = "write");
  const std::string& path() const { return path_; }
  const std::string& reason() const { return reason_; }

 private:
  std::string path_;
  std::string reason_;
};

struct OutputBlob {
  std::string path;
  std::string bytes;
};

// A file whose bytes are made as they are written: `write` puts them into the sink in pieces.
struct OutputStream {
  std::string path;
  std::function<void(ByteSink&)> write;
};

// The lock of an output folder was held by another process for all of `wait`.
class FolderBusy : public FileError {
 public:
  FolderBusy(std::string path, const std::string& folder, std::chrono::milliseconds wait);
};

struct ReplaceOptions {
  // How long to wait for another process's replacement in the same folder to end.
  std::chrono::milliseconds lock_wait{10000};
};

// The temporary name beside `path` that a replacement writes first, unique to the process.
std::string temporary_name(const std::string& path);
// The name an old file takes while the new set is put in place.
std::string backup_name(const std::string& path);

// Holds the lock of each folder of the files for the whole replacement (FolderBusy when another
// process keeps it past options.lock_wait). Writes every file to its temporary file and pushes it
// to the storage (FileSystem::sync); only when all are written do the old files step aside
// and the new ones take their names, so that a set of files loaded together is never half old,
// half new; the folders are then synced, so that after a power cut the folder holds the old set
// or the new one. On failure the old files are put back, the temporary files are removed and
// FileError names the file and the reason; on an interrupt the same is done and Interrupted is
// thrown. Temporary and old files left by a replacement that was killed are cleared first, under
// the lock, and an old file whose target is missing is put back.
void replace_files(FileSystem& fs, const std::vector<OutputStream>& files,
                   const ReplaceOptions& options = {});
void replace_files(FileSystem& fs, const std::vector<OutputBlob>& files,
                   const ReplaceOptions& options = {});

// One file alone.
void replace_file(FileSystem& fs, const std::string& path, std::string_view bytes);

}  // namespace scenario
