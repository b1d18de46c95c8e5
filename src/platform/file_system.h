// Every file operation of the system goes through this interface, so that tests can put a disk in
// memory or a failing one in its place. Paths are UTF-8 on every platform.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace scenario {

// A file open for writing, either in order (write) or in pieces at their offsets (write_at),
// not both. Every call reports failure with the operating system's reason.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual bool write(std::string_view bytes, std::string* err) = 0;
  // The file grows as far as the piece reaches; a gap holds zero bytes until it is written.
  virtual bool write_at(std::uint64_t offset, std::string_view bytes, std::string* err) = 0;
  // Pushes everything written so far to the operating system.
  virtual bool flush(std::string* err) = 0;
  // Waits until what was flushed is on the storage itself, so that a power cut cannot take it.
  // Nothing to wait for where nothing is stored.
  virtual bool sync(std::string* /*err*/) { return true; }
  virtual bool close(std::string* err) = 0;
};

// Held while a folder's files are replaced. Released when destroyed, and by the operating system
// when the process ends, however it ends.
class FolderLock {
 public:
  virtual ~FolderLock() = default;
};

// A lock, or why there is none: `busy` when another holder has it (worth waiting for).
struct LockAttempt {
  std::unique_ptr<FolderLock> lock;
  bool busy = false;
  std::string error;
};

// What lies at a path. `other` is anything else, or a path that cannot be looked at (a folder on
// the way that may not be entered): reading it tells why.
enum class PathKind { missing, file, folder, other };

struct FolderEntry {
  std::string name;  // the entry's own name, without the folder
  PathKind kind = PathKind::other;

  bool operator==(const FolderEntry&) const = default;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Links are followed.
  virtual PathKind kind_of(const std::string& path) = 0;
  // Creates the file, or empties an existing one, and opens it for writing.
  virtual std::unique_ptr<OutputFile> create(const std::string& path, std::string* err) = 0;
  // Reads the whole file into `bytes`. Anything but a regular file is refused, without waiting
  // for a writer or reading a device.
  virtual bool read(const std::string& path, std::string* bytes, std::string* err) = 0;
  // As read, but a file of more than `limit` bytes is refused before it is read.
  virtual bool read_up_to(const std::string& path, std::uint64_t limit, std::string* bytes,
                          std::string* err);
  virtual bool remove(const std::string& path, std::string* err) = 0;
  // Moves `from` onto `to`, replacing `to` when it exists.
  virtual bool rename(const std::string& from, const std::string& to, std::string* err) = 0;
  // The entries of a folder, sorted by name.
  virtual bool list_folder(const std::string& path, std::vector<FolderEntry>* entries,
                           std::string* err) = 0;
  // Makes the folder and every missing folder above it; true when it exists afterwards.
  virtual bool make_folders(const std::string& path, std::string* err) = 0;

  // What lies at the path, for a message: "a folder", "a FIFO", "a character device"...
  virtual std::string describe(const std::string& path);
  // Takes the folder's lock without waiting. Where no other process can look, a lock that
  // always succeeds.
  virtual LockAttempt try_lock_folder(const std::string& folder);
  // Makes the renames and creations inside the folder survive a power cut.
  virtual bool sync_folder(const std::string& /*folder*/, std::string* /*err*/) { return true; }
  // One name for one real folder, whichever links lead to it; the path itself where there are no
  // links.
  virtual std::string real_path(const std::string& path) { return path; }

  // A regular file (or a link to one) is there.
  bool exists(const std::string& path) { return kind_of(path) == PathKind::file; }
  bool is_folder(const std::string& path) { return kind_of(path) == PathKind::folder; }
};

// The reason a file of `size` bytes is refused when at most `limit` are expected.
std::string too_large_text(std::uint64_t size, std::uint64_t limit);

// The operating system's disk.
class RealFileSystem : public FileSystem {
 public:
  PathKind kind_of(const std::string& path) override;
  std::unique_ptr<OutputFile> create(const std::string& path, std::string* err) override;
  bool read(const std::string& path, std::string* bytes, std::string* err) override;
  bool read_up_to(const std::string& path, std::uint64_t limit, std::string* bytes,
                  std::string* err) override;
  bool remove(const std::string& path, std::string* err) override;
  bool rename(const std::string& from, const std::string& to, std::string* err) override;
  bool list_folder(const std::string& path, std::vector<FolderEntry>* entries,
                   std::string* err) override;
  bool make_folders(const std::string& path, std::string* err) override;
  std::string describe(const std::string& path) override;
  LockAttempt try_lock_folder(const std::string& folder) override;
  bool sync_folder(const std::string& folder, std::string* err) override;
  std::string real_path(const std::string& path) override;
};

}  // namespace scenario
