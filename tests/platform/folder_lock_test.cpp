// The lock of an output folder and the process-unique temporary names: a second replacement
// waits for the first, gives up with FolderBusy after its wait, and never touches another's
// temporaries; what a dead process left is cleared.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/file_system.h"
#include "platform/memory_file_system.h"
#include "platform/replace_files.h"
#include "support/test_support.h"

namespace scenario::testing {
namespace {

using namespace std::chrono_literals;

TEST(FolderLock, AHeldLockMakesAReplacementGiveUpAfterItsWaitAndTouchNothing) {
  TempDir dir;
  write_file(dir.file("a.dat"), "old");
  RealFileSystem fs;
  LockAttempt held = fs.try_lock_folder(dir.str());
  ASSERT_TRUE(held.lock) << held.error;
  // Another holder (another open of the lock file, as another process makes) is refused.
  const LockAttempt second = fs.try_lock_folder(dir.str());
  EXPECT_FALSE(second.lock);
  EXPECT_TRUE(second.busy);

  const auto start = std::chrono::steady_clock::now();
  try {
    replace_files(fs, std::vector<OutputBlob>{{dir.file("a.dat"), "new"}}, {.lock_wait = 200ms});
    FAIL() << "the replacement did not wait for the lock";
  } catch (const FolderBusy& e) {
    EXPECT_EQ(e.path(), dir.file("a.dat"));
    EXPECT_NE(std::string(e.what()).find("is being written by another compile"), std::string::npos)
        << e.what();
  }
  EXPECT_GE(std::chrono::steady_clock::now() - start, 200ms);
  EXPECT_EQ(read_file(dir.file("a.dat")), "old");

  held.lock.reset();
  // Released, the lock file is gone with it and the next replacement goes through.
  EXPECT_EQ(list_folder(dir.path()), std::vector<std::string>{"a.dat"});
  replace_files(fs, std::vector<OutputBlob>{{dir.file("a.dat"), "new"}}, {.lock_wait = 200ms});
  EXPECT_EQ(read_file(dir.file("a.dat")), "new");
  EXPECT_EQ(list_folder(dir.path()), std::vector<std::string>{"a.dat"});
}

// A crashed run leaves its lock file, unlocked: it does not stop the next one.
TEST(FolderLock, ALockFileLeftByADeadProcessDoesNotBlock) {
  TempDir dir;
  write_file(dir.file(".scenario.lock"), "");
  RealFileSystem fs;
  replace_files(fs, std::vector<OutputBlob>{{dir.file("a.dat"), "a"}}, {.lock_wait = 100ms});
  EXPECT_EQ(read_file(dir.file("a.dat")), "a");
}

TEST(FolderLock, TemporaryNamesAreTheProcesssAndOnlyTemporariesOfTheSetAreCleared) {
  const std::string tmp = temporary_name("/f/a.dat");
  EXPECT_TRUE(tmp.starts_with("/f/a.dat."));
  EXPECT_TRUE(tmp.ends_with(".tmp"));
  EXPECT_NE(tmp, "/f/a.dat.tmp");

  MemoryFileSystem fs;
  fs.put("/f/a.dat.tmp", "an older version's");
  fs.put("/f/a.dat.4242.tmp", "a dead process's");
  fs.put("/f/a.dat.notes.tmp", "not a temporary of a.dat");
  fs.put("/f/b.dat.4242.tmp", "not of this set");
  fs.put("/f/xa.dat.4242.tmp", "not of this set either");
  replace_files(fs, std::vector<OutputBlob>{{"/f/a.dat", "a"}});
  EXPECT_EQ(fs.paths(), (std::vector<std::string>{"/f/a.dat", "/f/a.dat.notes.tmp",
                                                  "/f/b.dat.4242.tmp", "/f/xa.dat.4242.tmp"}));
}

// The same on the disk, where Windows joins the folder and a listed name with "\\": what a dead
// replacement left of the set goes or comes back, and nothing else is touched.
TEST(FolderLock, OnTheDiskOnlyTheLeftoversOfTheSetAreCleared) {
  TempDir dir;
  for (const char* name :
       {"a.dat.tmp", "a.dat.4242.tmp", "a.dat.notes.tmp", "b.dat.4242.tmp", "xa.dat.4242.tmp"}) {
    write_file(dir.file(name), "left");
  }
  write_file(dir.file("b.sim.old"), "old b");  // b stepped aside, its new file never came
  RealFileSystem fs;
  replace_files(fs, std::vector<OutputBlob>{{dir.file("a.dat"), "a"}, {dir.file("b.sim"), "b"}});
  EXPECT_EQ(list_folder(dir.path()),
            (std::vector<std::string>{"a.dat", "a.dat.notes.tmp", "b.dat.4242.tmp", "b.sim",
                                      "xa.dat.4242.tmp"}));
  EXPECT_EQ(read_file(dir.file("b.sim")), "b");
}

}  // namespace
}  // namespace scenario::testing
