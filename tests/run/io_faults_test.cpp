// Whole generator runs over a disk that fails: every file operation of the run failed in turn,
// the folder taken away under the run, and the reader's own reads and deletions failing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "compiler/codes.h"
#include "format/file_names.h"
#include "platform/faulty_file_system.h"
#include "platform/replace_files.h"
#include "run/builtin_scenario.h"
#include "run/form1.h"
#include "support/test_support.h"

namespace scenario {
namespace {

using testing::file_identity;
using testing::list_folder;
using testing::read_file;
using testing::RecordingUi;
using testing::TempDir;

// The paths of the run's files in `folder`, in the order the run writes them.
std::vector<std::string> write_order(const std::string& folder) {
  const ScenarioNames s{folder, builtin_route_id, builtin_train_number};
  return {line_source_path(s), train_source_path(s), notes_path(s),      slowdown_order_path(s),
          timetable_path(s),   line_file_path(s),    table_file_path(s), track_file_path(s)};
}

// Indexes into write_order: the two sources, which the run deletes itself, then three documents,
// then the three compiled files, replaced as a set.
constexpr std::size_t kFirstDocument = 2;
constexpr std::size_t kFirstCompiled = 5;
constexpr std::size_t kFileCount = 8;

std::string name_of(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

// The names of the files a run leaves in the end: the documents and the compiled files.
std::vector<std::string> output_names(const std::string& folder) {
  const auto order = write_order(folder);
  std::vector<std::string> names;
  for (std::size_t i = kFirstDocument; i < kFileCount; ++i) names.push_back(name_of(order[i]));
  std::sort(names.begin(), names.end());
  return names;
}

// A file as a later run finds it: the same inode means the file was not replaced.
struct FileIdentity {
  std::uint64_t inode = 0;
  std::string bytes;
};

FileIdentity identity_of(const std::string& path) {
  const std::uint64_t inode = file_identity(path);
  if (inode == 0) return {};
  return {inode, read_file(path)};
}

std::map<std::string, FileIdentity> outputs_of(const std::string& folder) {
  std::map<std::string, FileIdentity> out;
  const auto order = write_order(folder);
  for (std::size_t i = kFirstDocument; i < kFileCount; ++i) out[order[i]] = identity_of(order[i]);
  return out;
}

bool has_temporary(const TempDir& dir) {
  const auto names = list_folder(dir.path());
  return std::any_of(names.begin(), names.end(),
                     [](const std::string& n) { return n.ends_with(".tmp"); });
}

// A clean run of the real disk, whose outputs a failing run must keep.
void prime(const TempDir& dir) {
  RecordingUi ui;
  RealFileSystem fs;
  ASSERT_EQ(run_generator(ui, fs, dir.str()), exit_status::clean);
  ASSERT_EQ(list_folder(dir.path()), output_names(dir.str()));
}

// After a run that failed on file `failed` of write_order, the documents before it are new and
// the failed one and those after it are the earlier run's. Both runs write the same bytes: the
// inode tells a replaced file from a kept one.
void expect_documents_replaced_up_to(const std::string& folder,
                                     const std::map<std::string, FileIdentity>& before,
                                     std::size_t failed) {
  const auto order = write_order(folder);
  for (std::size_t i = kFirstDocument; i < kFirstCompiled; ++i) {
    const FileIdentity now = identity_of(order[i]);
    EXPECT_EQ(now.bytes, before.at(order[i]).bytes) << name_of(order[i]);
    EXPECT_EQ(now.inode != before.at(order[i]).inode, i < failed)
        << name_of(order[i]) << (i < failed ? " was not replaced" : " was replaced");
  }
}

// A failed run replaces none of the compiled files: they are loaded together, so a set of new
// and old ones would be a scenario nobody compiled.
void expect_compiled_set_kept(const std::string& folder,
                              const std::map<std::string, FileIdentity>& before) {
  const auto order = write_order(folder);
  std::string replaced;
  for (std::size_t i = kFirstCompiled; i < kFileCount; ++i) {
    const FileIdentity now = identity_of(order[i]);
    EXPECT_EQ(now.bytes, before.at(order[i]).bytes) << name_of(order[i]);
    if (now.inode != before.at(order[i]).inode) replaced += " " + name_of(order[i]);
  }
  EXPECT_EQ(replaced, "") << "the compiled files are a mix of new and old: replaced were"
                          << replaced;
}

// What the folder holds after the failure: the outputs, and the sources written before a failure
// that came ahead of the reading (the reader deletes them).
std::vector<std::string> folder_after_failure(const std::string& folder, std::size_t failed) {
  std::vector<std::string> names = output_names(folder);
  const auto order = write_order(folder);
  for (std::size_t i = 0; i < kFirstDocument && failed < kFirstCompiled; ++i) {
    if (i < failed) names.push_back(name_of(order[i]));
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The index in write_order of the file named by the run's failure message; kFileCount when the
// events are not the wait window and one such message.
std::size_t failed_file(const std::string& folder, const std::vector<std::string>& events) {
  const auto order = write_order(folder);
  for (std::size_t i = 0; i < kFileCount; ++i) {
    const std::string message = "message: cannot write " + order[i] + ": injected failure";
    if (events == std::vector<std::string>{"wait window", message}) return i;
  }
  return kFileCount;
}

struct FaultyRun {
  int status = -1;
  std::size_t failed = kFileCount;
};

// A clean run first, then a run failing the Nth operation of a kind, checked against it.
FaultyRun run_failing(const std::string& kind, int n) {
  TempDir dir;
  prime(dir);
  const auto before = outputs_of(dir.str());
  RecordingUi ui;
  RealFileSystem disk;
  FaultyFileSystem fs(disk);
  fs.fail_kind = kind;
  fs.fail_at = n;
  FaultyRun run;
  run.status = run_generator(ui, fs, dir.str());
  EXPECT_FALSE(has_temporary(dir));
  if (run.status == exit_status::clean) {
    EXPECT_EQ(list_folder(dir.path()), output_names(dir.str()));
    for (const auto& [path, old] : before) EXPECT_EQ(read_file(path), old.bytes) << path;
    return run;
  }
  EXPECT_EQ(run.status, exit_status::file_failure);
  run.failed = failed_file(dir.str(), ui.events);
  EXPECT_LT(run.failed, kFileCount)
      << "the message names no file of the run: " << ::testing::PrintToString(ui.events);
  if (run.failed >= kFileCount) return run;
  EXPECT_EQ(list_folder(dir.path()), folder_after_failure(dir.str(), run.failed));
  expect_documents_replaced_up_to(dir.str(), before, run.failed);
  expect_compiled_set_kept(dir.str(), before);
  return run;
}

// Each file of the run is created, flushed and closed once, so failing the Nth of these fails
// file N, and the ninth is never reached. A file is written in pieces (the line file in many) and
// a set may need more than one rename a file to be replaced safely: there, the failures name the
// files in the order they are written, and every file is named by some failure.
TEST(IoFaultsTest, EveryFailedOperationEndsWith3AndKeepsTheEarlierOutputs) {
  for (const std::string kind : {"create", "write", "flush", "close", "rename"}) {
    const bool once_a_file = kind != "write" && kind != "rename";
    std::set<std::size_t> named;
    std::size_t last_named = 0;
    int n = 1;
    for (;; ++n) {
      ASSERT_LE(n, 16 * static_cast<int>(kFileCount)) << kind << " never ran clean";
      SCOPED_TRACE(kind + " " + std::to_string(n));
      const FaultyRun run = run_failing(kind, n);
      if (run.status == exit_status::clean) break;
      if (once_a_file) {
        EXPECT_EQ(run.failed, static_cast<std::size_t>(n - 1));
      } else if (kind == "write") {
        EXPECT_GE(run.failed, last_named);
      }
      last_named = run.failed;
      named.insert(run.failed);
    }
    EXPECT_EQ(named.size(), kFileCount) << kind;
    if (once_a_file) {
      EXPECT_EQ(n, static_cast<int>(kFileCount) + 1) << kind;
    }
  }
}

// The real disk, with the run's folder removed just before one chosen operation on one chosen
// file (for a write, flush or close: the file being written).
class FolderRemovingFileSystem : public FileSystem {
 public:
  FolderRemovingFileSystem(std::string folder, std::string kind, std::string path)
      : folder_(std::move(folder)), kind_(std::move(kind)), path_(std::move(path)) {}

  PathKind kind_of(const std::string& path) override { return real_.kind_of(path); }
  std::unique_ptr<OutputFile> create(const std::string& path, std::string* err) override;
  bool list_folder(const std::string& path, std::vector<FolderEntry>* entries,
                   std::string* err) override {
    return real_.list_folder(path, entries, err);
  }
  bool make_folders(const std::string& path, std::string* err) override {
    return real_.make_folders(path, err);
  }
  bool read(const std::string& path, std::string* bytes, std::string* err) override {
    before("read", path);
    return real_.read(path, bytes, err);
  }
  bool remove(const std::string& path, std::string* err) override {
    before("remove", path);
    return real_.remove(path, err);
  }
  bool rename(const std::string& from, const std::string& to, std::string* err) override {
    before("rename", from);
    return real_.rename(from, to, err);
  }

  void before(const std::string& kind, const std::string& path) {
    if (removed || kind != kind_ || path != path_) return;
    std::filesystem::remove_all(folder_);
    removed = true;
  }

  bool removed = false;

 private:
  std::string folder_;
  std::string kind_;
  std::string path_;
  RealFileSystem real_;
};

class WatchedOutputFile : public OutputFile {
 public:
  WatchedOutputFile(FolderRemovingFileSystem& owner, std::string path,
                    std::unique_ptr<OutputFile> real)
      : owner_(owner), path_(std::move(path)), real_(std::move(real)) {}
  bool write(std::string_view bytes, std::string* err) override {
    owner_.before("write", path_);
    return real_->write(bytes, err);
  }
  bool write_at(std::uint64_t offset, std::string_view bytes, std::string* err) override {
    owner_.before("write", path_);
    return real_->write_at(offset, bytes, err);
  }
  bool flush(std::string* err) override {
    owner_.before("flush", path_);
    return real_->flush(err);
  }
  bool close(std::string* err) override {
    owner_.before("close", path_);
    return real_->close(err);
  }

 private:
  FolderRemovingFileSystem& owner_;
  std::string path_;
  std::unique_ptr<OutputFile> real_;
};

std::unique_ptr<OutputFile> FolderRemovingFileSystem::create(const std::string& path,
                                                             std::string* err) {
  before("create", path);
  auto real = real_.create(path, err);
  if (!real) return nullptr;
  return std::make_unique<WatchedOutputFile>(*this, path, std::move(real));
}

// Wherever the folder goes, the run ends with 3 and the first file it could not finish, with
// the operating system's reason; nothing of the run can remain.
TEST(IoFaultsTest, AFolderRemovedDuringTheRunEndsWith3AndTheReason) {
  struct Case {
    const char* what;
    std::string kind;
    std::size_t file;  // index into write_order of the file the operation is on
    bool on_temporary;
    std::size_t reported;  // index into write_order of the file named in the message
  };
  const std::vector<Case> cases{
      {"before the first file is created", "create", 0, true, 0},
      {"before a document is renamed into place", "rename", 3, true, 3},
      {"before the train source is read", "read", 1, false, kFirstCompiled},
      {"before the compiled files are created", "create", kFirstCompiled, true, kFirstCompiled},
#ifndef _WIN32
      // The open file is still written in full; its rename is what fails. (Windows does not let
      // a folder go while a file in it is open.)
      {"while the track file is written", "write", 7, true, kFirstCompiled},
#endif
      {"between the renames of the compiled files", "rename", 6, true, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const auto order = write_order(dir.str());
    const std::string path = c.on_temporary ? temporary_name(order[c.file]) : order[c.file];
    FolderRemovingFileSystem fs(dir.str(), c.kind, path);
    RecordingUi ui;
    EXPECT_EQ(run_generator(ui, fs, dir.str()), exit_status::file_failure);
    EXPECT_TRUE(fs.removed);
    EXPECT_EQ(ui.events, (std::vector<std::string>{"wait window",
                                                   "message: cannot write " + order[c.reported] +
                                                       ": No such file or directory"}));
    EXPECT_FALSE(std::filesystem::exists(dir.path()));
  }
}

// The reader reads and deletes the sources itself: a failure there is a recorded code, 25, and
// not a file failure. Without a track (the line source unread) no compiled file is written.
TEST(IoFaultsTest, TheReadersOwnReadsAndDeletionsFailingGive25) {
  struct Case {
    std::string kind;
    int n;
    bool compiled;
  };
  const std::vector<Case> cases{
      {"read", 1, false}, {"read", 2, true}, {"remove", 1, true}, {"remove", 2, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind + " " + std::to_string(c.n));
    TempDir dir;
    RecordingUi ui;
    RealFileSystem disk;
    FaultyFileSystem fs(disk);
    fs.fail_kind = c.kind;
    fs.fail_at = c.n;
    ::testing::internal::CaptureStderr();
    const int status = run_generator(ui, fs, dir.str());
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, exit_status::recorded_code);
    EXPECT_EQ(err, "recorded error 25: " + std::string(code_meaning(Code::failure)) + "\n");
    EXPECT_EQ(ui.events, std::vector<std::string>{"wait window"});
    // Both sources are gone either way.
    const auto order = write_order(dir.str());
    std::vector<std::string> expected = output_names(dir.str());
    if (!c.compiled) {
      expected = {name_of(order[2]), name_of(order[3]), name_of(order[4])};
    }
    EXPECT_EQ(list_folder(dir.path()), expected);
  }

  // The reader reads twice and deletes twice: a third failure is never reached.
  for (const std::string kind : {"read", "remove"}) {
    TempDir dir;
    RecordingUi ui;
    RealFileSystem disk;
    FaultyFileSystem fs(disk);
    fs.fail_kind = kind;
    fs.fail_at = 3;
    EXPECT_EQ(run_generator(ui, fs, dir.str()), exit_status::clean) << kind;
    EXPECT_EQ(fs.counts[kind], 2) << kind;
  }
}

}  // namespace
}  // namespace scenario
