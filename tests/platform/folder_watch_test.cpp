// The watch of a few folders that `scenario_tool watch` waits on: the system's notifications, and
// the polling of Windows and of any system without them. Each sees every way an editor saves,
// in its own folder only.
#include "platform/folder_watch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/test_support.h"

namespace scenario {
namespace {

using namespace std::chrono_literals;
using testing::TempDir;
using testing::write_file;

// The watch of Windows and of any system without notifications: a rename over the file, a write
// that changes its size, a removal.
TEST(FolderPolling, SeesARenameAWriteAndARemoval) {
  TempDir dir;
  write_file(dir.file("s.txt"), "one");
  std::string err;
  const auto watch = poll_folders({dir.str()}, 10ms, &err);
  ASSERT_TRUE(watch) << err;
  EXPECT_TRUE(watch->wait(30ms).empty());
  const std::vector<FolderChange> saved{{0, "s.txt"}};
  write_file(dir.file("new"), "two!");
  std::filesystem::rename(dir.file("new"), dir.file("s.txt"));
  EXPECT_EQ(watch->wait(1s), saved);
  write_file(dir.file("s.txt"), "three");
  EXPECT_EQ(watch->wait(1s), saved);
  std::filesystem::remove(dir.file("s.txt"));
  EXPECT_EQ(watch->wait(1s), saved);
  EXPECT_FALSE(poll_folders({dir.file("none")}, 10ms, &err));
}

TEST(FolderNotifications, SeeASaveByRenameInTheirOwnFolder) {
  TempDir a;
  TempDir b;
  std::string err;
  const auto watch = watch_folders({a.str(), b.str()}, &err);
  ASSERT_TRUE(watch) << err;
  write_file(b.file("new"), "x");
  std::filesystem::rename(b.file("new"), b.file("s.txt"));
  std::vector<FolderChange> seen;
  for (int i = 0;
       i < 20 && std::find(seen.begin(), seen.end(), FolderChange{1, "s.txt"}) == seen.end(); ++i) {
    for (FolderChange& c : watch->wait(100ms)) seen.push_back(c);
  }
  EXPECT_NE(std::find(seen.begin(), seen.end(), FolderChange{1, "s.txt"}), seen.end());
  for (const FolderChange& c : seen) EXPECT_EQ(c.folder, 1u) << c.name;
}

}  // namespace
}  // namespace scenario
