#include "platform/file_system.h"

namespace scenario {

namespace {

// Nothing to hold where no other process can see the files.
class NoLock : public FolderLock {};

}  // namespace

std::string too_large_text(std::uint64_t size, std::uint64_t limit) {
  return "it holds " + std::to_string(size) + " bytes, more than the " + std::to_string(limit) +
         " such a file can hold";
}

bool FileSystem::read_up_to(const std::string& path, std::uint64_t limit, std::string* bytes,
                            std::string* err) {
  if (!read(path, bytes, err)) return false;
  if (bytes->size() <= limit) return true;
  *err = too_large_text(bytes->size(), limit);
  bytes->clear();
  return false;
}

std::string FileSystem::describe(const std::string& path) {
  switch (kind_of(path)) {
    case PathKind::missing:
      return "nothing";
    case PathKind::file:
      return "a regular file";
    case PathKind::folder:
      return "a folder";
    case PathKind::other:
      break;
  }
  return "not a regular file";
}

LockAttempt FileSystem::try_lock_folder(const std::string& /*folder*/) {
  return {std::make_unique<NoLock>(), false, {}};
}

}  // namespace scenario
