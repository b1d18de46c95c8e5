// What a replacement does in which order, recorded through a file system that only watches: a
// file reaches the storage before its name is moved onto it, and the folder after the moves,
// before the old files go. A power cut at any point then leaves the old set or the new one.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/memory_file_system.h"
#include "platform/replace_files.h"
#include "platform/unsynced_file_system.h"

namespace scenario::testing {
namespace {

class RecordingFileSystem;

class RecordedFile : public OutputFile {
 public:
  RecordedFile(RecordingFileSystem& owner, std::string path, std::unique_ptr<OutputFile> inner)
      : owner_(owner), path_(std::move(path)), inner_(std::move(inner)) {}
  bool write(std::string_view bytes, std::string* err) override;
  bool write_at(std::uint64_t offset, std::string_view bytes, std::string* err) override;
  bool flush(std::string* err) override { return inner_->flush(err); }
  bool sync(std::string* err) override;
  bool close(std::string* err) override { return inner_->close(err); }

 private:
  RecordingFileSystem& owner_;
  std::string path_;
  std::unique_ptr<OutputFile> inner_;
};

class RecordingFileSystem : public MemoryFileSystem {
 public:
  std::vector<std::string> log;

  std::unique_ptr<OutputFile> create(const std::string& path, std::string* err) override {
    auto inner = MemoryFileSystem::create(path, err);
    if (!inner) return nullptr;
    return std::make_unique<RecordedFile>(*this, path, std::move(inner));
  }
  bool rename(const std::string& from, const std::string& to, std::string* err) override {
    log.push_back("rename " + from + " " + to);
    return MemoryFileSystem::rename(from, to, err);
  }
  bool remove(const std::string& path, std::string* err) override {
    log.push_back("remove " + path);
    return MemoryFileSystem::remove(path, err);
  }
  bool sync_folder(const std::string& folder, std::string* err) override {
    log.push_back("sync_folder " + folder);
    return MemoryFileSystem::sync_folder(folder, err);
  }
};

bool RecordedFile::write(std::string_view bytes, std::string* err) {
  owner_.log.push_back("write " + path_);
  return inner_->write(bytes, err);
}
bool RecordedFile::write_at(std::uint64_t offset, std::string_view bytes, std::string* err) {
  owner_.log.push_back("write " + path_);
  return inner_->write_at(offset, bytes, err);
}
bool RecordedFile::sync(std::string* err) {
  owner_.log.push_back("sync " + path_);
  return inner_->sync(err);
}

// The index of the first entry equal to `entry` after `from`, or the log's size.
std::size_t find(const std::vector<std::string>& log, const std::string& entry,
                 std::size_t from = 0) {
  return static_cast<std::size_t>(
      std::find(log.begin() + static_cast<std::ptrdiff_t>(from), log.end(), entry) - log.begin());
}

std::size_t find_last(const std::vector<std::string>& log, const std::string& entry) {
  const auto it = std::find(log.rbegin(), log.rend(), entry);
  return it == log.rend() ? log.size() : static_cast<std::size_t>(log.rend() - it - 1);
}

TEST(ReplaceFilesDurability, EachFileIsSyncedBeforeItsRenameAndTheFolderBeforeTheOldFilesGo) {
  const std::vector<std::string> names{"/f/R_linea.dat", "/f/R_T.sim", "/f/R_T.dat"};
  for (const bool had_old_set : {false, true}) {
    SCOPED_TRACE(had_old_set ? "over an old set" : "into an empty folder");
    RecordingFileSystem fs;
    if (had_old_set) {
      for (const auto& n : names) fs.put(n, "old");
    }
    std::vector<OutputBlob> blobs;
    for (const auto& n : names) blobs.push_back({n, "new " + n});
    replace_files(fs, blobs);

    const std::vector<std::string>& log = fs.log;
    const std::size_t folder_synced = find(log, "sync_folder /f");
    ASSERT_LT(folder_synced, log.size());
    for (const auto& n : names) {
      const std::string tmp = temporary_name(n);
      const std::size_t synced = find(log, "sync " + tmp);
      const std::size_t renamed = find(log, "rename " + tmp + " " + n);
      ASSERT_LT(renamed, log.size()) << n;
      EXPECT_LT(find_last(log, "write " + tmp), synced) << n;
      EXPECT_LT(synced, renamed) << n;
      EXPECT_LT(renamed, folder_synced) << n;
      if (had_old_set) {
        EXPECT_LT(folder_synced, find(log, "remove " + backup_name(n))) << n;
      }
      EXPECT_EQ(fs.contents(n), "new " + n);
    }
  }
}

TEST(ReplaceFilesDurability, WithoutSyncNothingIsSyncedAndTheFilesAreTheSame) {
  RecordingFileSystem recorded;
  UnsyncedFileSystem fs(recorded);
  replace_files(fs, std::vector<OutputBlob>{{"/f/a.dat", "a"}, {"/f/b.sim", "b"}});
  for (const auto& entry : recorded.log) EXPECT_FALSE(entry.starts_with("sync")) << entry;
  EXPECT_EQ(recorded.contents("/f/a.dat"), "a");
  EXPECT_EQ(recorded.contents("/f/b.sim"), "b");
}

}  // namespace
}  // namespace scenario::testing
