#include "platform/replace_files.h"

#include <gtest/gtest.h>

#include "platform/faulty_file_system.h"
#include "platform/memory_file_system.h"
#include "support/test_support.h"

namespace scenario::testing {
namespace {

TEST(ReplaceFilesTest, ALongerOlderFileIsReplacedExactly) {
  TempDir dir;
  write_file(dir.file("a.txt"), std::string(5000, 'x'));
  RealFileSystem fs;
  replace_file(fs, dir.file("a.txt"), "new\r\n");
  EXPECT_EQ(read_file(dir.file("a.txt")), "new\r\n");
  EXPECT_EQ(list_folder(dir.path()), std::vector<std::string>{"a.txt"});
}

TEST(ReplaceFilesTest, AMissingFileIsCreated) {
  TempDir dir;
  RealFileSystem fs;
  replace_file(fs, dir.file("b.dat"), std::string("\0\1", 2));
  EXPECT_EQ(read_file(dir.file("b.dat")), std::string("\0\1", 2));
}

// Every operation a replacement makes, failed in turn: the old files stay byte for byte and no
// temporary file is left behind.
TEST(ReplaceFilesTest, AnyFailedOperationLeavesTheOldFilesAndNoTemporary) {
  for (const std::string kind :
       {"create", "write", "flush", "sync", "close", "rename", "sync_folder"}) {
    // Three files give three writes of each kind; a rename happens twice a file (the old file
    // steps aside, the new one takes its name); the folder is synced once, after the renames.
    const int operations = kind == "rename" ? 6 : kind == "sync_folder" ? 1 : 3;
    for (int n = 1; n <= operations; ++n) {
      TempDir dir;
      const std::vector<std::string> names{"one.dat", "two.sim", "three.dat"};
      for (const auto& name : names) write_file(dir.file(name), "old " + name);
      RealFileSystem disk;
      FaultyFileSystem fs(disk);
      fs.fail_kind = kind;
      fs.fail_at = n;
      std::vector<OutputBlob> blobs;
      for (const auto& name : names) blobs.push_back({dir.file(name), "new contents of " + name});

      try {
        replace_files(fs, blobs);
        FAIL() << kind << " " << n << " did not fail";
      } catch (const FileError& e) {
        EXPECT_EQ(e.path(), dir.file(names[static_cast<std::size_t>((n - 1) % 3)]));
        EXPECT_EQ(e.reason(), "injected failure");
        EXPECT_NE(std::string(e.what()).find(e.path()), std::string::npos);
      }
      EXPECT_EQ(list_folder(dir.path()),
                (std::vector<std::string>{"one.dat", "three.dat", "two.sim"}))
          << kind << " " << n;
      // The set stays old as a whole.
      for (const auto& name : names) {
        EXPECT_EQ(read_file(dir.file(name)), "old " + name) << kind << " " << n << " " << name;
      }
    }
  }
}

TEST(ReplaceFilesTest, AFolderThatIsGoneIsReportedWithTheReason) {
  TempDir dir;
  RealFileSystem fs;
  const std::string target = dir.file("missing/x.txt");
  try {
    replace_file(fs, target, "x");
    FAIL();
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), target);
    EXPECT_EQ(e.reason(), "No such file or directory");
  }
}

// What a replacement killed outright leaves is cleared before anything else: temporary files go,
// an old file whose target is missing comes back, one whose target is there goes. Then, even when
// the new set cannot be written, the folder holds the old set whole.
TEST(ReplaceFilesTest, LeftoversOfAKilledReplacementAreClearedFirst) {
  MemoryFileSystem disk;
  disk.put("/f/a.dat.tmp", "half written");
  disk.put("/f/b.sim.old", "old b");  // b stepped aside, its new file never came
  disk.put("/f/c.dat", "new c");
  disk.put("/f/c.dat.old", "old c");
  FaultyFileSystem fs(disk);
  fs.fail_kind = "write";
  fs.fail_at = 1;
  const std::vector<OutputBlob> files{{"/f/a.dat", "a"}, {"/f/b.sim", "b"}, {"/f/c.dat", "c"}};
  EXPECT_THROW(replace_files(fs, files), FileError);
  EXPECT_EQ(disk.paths(), (std::vector<std::string>{"/f/b.sim", "/f/c.dat"}));
  EXPECT_EQ(disk.contents("/f/b.sim"), "old b");
  EXPECT_EQ(disk.contents("/f/c.dat"), "new c");

  replace_files(disk, files);
  EXPECT_EQ(disk.paths(), (std::vector<std::string>{"/f/a.dat", "/f/b.sim", "/f/c.dat"}));
  EXPECT_EQ(disk.contents("/f/b.sim"), "b");
}

// Streams written in pieces, in order or at offsets, make the same file as their bytes would.
TEST(ReplaceFilesTest, AStreamWrittenAtOffsetsMakesTheSameFile) {
  MemoryFileSystem disk;
  replace_files(disk, {OutputStream{"/f/x.dat",
                                    [](ByteSink& sink) {
                                      sink.put_at(3, "def");
                                      sink.put_at(0, "abc");
                                    }},
                       OutputStream{"/f/y.dat", [](ByteSink& sink) {
                                      sink.put("ab");
                                      sink.put("cd");
                                    }}});
  EXPECT_EQ(disk.contents("/f/x.dat"), "abcdef");
  EXPECT_EQ(disk.contents("/f/y.dat"), "abcd");
}

}  // namespace
}  // namespace scenario::testing
