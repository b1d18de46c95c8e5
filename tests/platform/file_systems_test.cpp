// What every file system of the project must do alike: the disk, the one in memory, and the one
// that fails on demand over either. The same cases run over each.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/faulty_file_system.h"
#include "platform/file_system.h"
#include "platform/memory_file_system.h"
#include "platform/paths.h"
#include "support/test_support.h"

namespace scenario {
namespace {

class FileSystems : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    if (GetParam() == "disk") {
      fs_ = std::make_unique<RealFileSystem>();
      root_ = dir_.str();
    } else {
      fs_ = std::make_unique<MemoryFileSystem>();
      root_ = "/root";
      std::string err;
      ASSERT_TRUE(fs_->make_folders(root_, &err)) << err;
    }
  }

  std::string at(const std::string& name) const { return join_path(root_, name); }

  void write(const std::string& name, const std::string& bytes) {
    std::string err;
    auto file = fs_->create(at(name), &err);
    ASSERT_TRUE(file) << err;
    ASSERT_TRUE(file->write(bytes, &err) && file->close(&err)) << err;
  }

  std::vector<FolderEntry> list(const std::string& name) {
    std::vector<FolderEntry> entries;
    std::string err;
    EXPECT_TRUE(fs_->list_folder(at(name), &entries, &err)) << err;
    return entries;
  }

  testing::TempDir dir_;
  std::unique_ptr<FileSystem> fs_;
  std::string root_;
};

TEST_P(FileSystems, FilesAndFoldersAreToldApartListedAndMade) {
  std::string err;
  EXPECT_EQ(fs_->kind_of(at("nothing")), PathKind::missing);
  EXPECT_TRUE(fs_->is_folder(root_));

  ASSERT_TRUE(fs_->make_folders(at("a/b/c"), &err)) << err;
  ASSERT_TRUE(fs_->make_folders(at("a/b/c"), &err)) << "a folder that exists is made";
  write("a/x.dat", "xyz");
  write("a/b/y.sim", "");
  EXPECT_EQ(fs_->kind_of(at("a/x.dat")), PathKind::file);
  EXPECT_TRUE(fs_->exists(at("a/b/y.sim")));
  EXPECT_TRUE(fs_->is_folder(at("a/b/c")));
  EXPECT_FALSE(fs_->exists(at("a/b")));

  EXPECT_EQ(list("a"),
            (std::vector<FolderEntry>{{"b", PathKind::folder}, {"x.dat", PathKind::file}}));
  EXPECT_EQ(list("a/b/c"), std::vector<FolderEntry>{});

  std::vector<FolderEntry> entries;
  EXPECT_FALSE(fs_->list_folder(at("none"), &entries, &err));
  EXPECT_FALSE(err.empty());
  err.clear();
  EXPECT_FALSE(fs_->make_folders(at("a/x.dat/d"), &err)) << "a file on the way";
  EXPECT_FALSE(err.empty());
}

TEST_P(FileSystems, ReadRenameAndRemove) {
  std::string err;
  write("one", "first");
  write("two", "second");
  std::string bytes;
  ASSERT_TRUE(fs_->read(at("one"), &bytes, &err)) << err;
  EXPECT_EQ(bytes, "first");
  ASSERT_TRUE(fs_->rename(at("one"), at("two"), &err)) << err;
  EXPECT_FALSE(fs_->exists(at("one")));
  ASSERT_TRUE(fs_->read(at("two"), &bytes, &err)) << err;
  EXPECT_EQ(bytes, "first");
  ASSERT_TRUE(fs_->remove(at("two"), &err)) << err;
  EXPECT_EQ(fs_->kind_of(at("two")), PathKind::missing);
  EXPECT_FALSE(fs_->read(at("two"), &bytes, &err));
  EXPECT_EQ(err, "No such file or directory");
}

// A name written with "/" and the same name as the program joins it ("\\" on Windows) are one
// file to every operation, as they are to the disk.
TEST_P(FileSystems, ANameWithSlashesAndTheJoinedNameAreOneFile) {
  std::string err;
  ASSERT_TRUE(fs_->make_folders(at("d"), &err)) << err;
  const std::string slashed = root_ + "/d/x.dat";
  const std::string joined = join_path(at("d"), "x.dat");
  write("d/x.dat", "xyz");
  std::string bytes;
  ASSERT_TRUE(fs_->read(slashed, &bytes, &err)) << err;
  EXPECT_EQ(bytes, "xyz");
  EXPECT_EQ(list("d"), (std::vector<FolderEntry>{{"x.dat", PathKind::file}}));
  ASSERT_TRUE(fs_->rename(slashed, join_path(at("d"), "y.dat"), &err)) << err;
  EXPECT_EQ(fs_->kind_of(joined), PathKind::missing);
  EXPECT_EQ(fs_->kind_of(root_ + "/d/y.dat"), PathKind::file);
  EXPECT_TRUE(fs_->is_folder(root_ + "/d"));
  ASSERT_TRUE(fs_->remove(root_ + "/d/y.dat", &err)) << err;
  EXPECT_EQ(list("d"), std::vector<FolderEntry>{});
}

TEST_P(FileSystems, WritesAtAnOffsetOverwriteExtendAndLeaveZerosInAGap) {
  std::string err;
  auto file = fs_->create(at("f"), &err);
  ASSERT_TRUE(file) << err;
  ASSERT_TRUE(file->write("abcd", &err)) << err;
  ASSERT_TRUE(file->write_at(8, "xyz", &err)) << err;     // past the end: a gap
  ASSERT_TRUE(file->write_at(1, "QQ", &err)) << err;      // inside
  ASSERT_TRUE(file->write_at(9, "LONGER", &err)) << err;  // across the end
  ASSERT_TRUE(file->close(&err)) << err;
  std::string bytes;
  ASSERT_TRUE(fs_->read(at("f"), &bytes, &err)) << err;
  EXPECT_EQ(bytes, std::string("aQQd\0\0\0\0xLONGER", 15));
}

TEST_P(FileSystems, TheFaultyOneFailsTheChosenOperationOnlyAndCountsEvery) {
  FaultyFileSystem faulty(*fs_);
  faulty.fail_kind = "list";
  faulty.fail_at = 2;
  std::vector<FolderEntry> entries;
  std::string err;
  EXPECT_TRUE(faulty.list_folder(root_, &entries, &err));
  EXPECT_FALSE(faulty.list_folder(root_, &entries, &err));
  EXPECT_EQ(err, "injected failure");
  EXPECT_TRUE(faulty.list_folder(root_, &entries, &err));
  EXPECT_TRUE(faulty.make_folders(at("m"), &err));
  EXPECT_TRUE(faulty.is_folder(at("m")));
  EXPECT_EQ(faulty.counts["list"], 3);
  EXPECT_EQ(faulty.counts["make_folders"], 1);
}

INSTANTIATE_TEST_SUITE_P(DiskAndMemory, FileSystems, ::testing::Values("disk", "memory"),
                         [](const auto& info) { return info.param; });

TEST(PathsTest, NamesStemsAndJoinsInUtf8) {
  EXPECT_EQ(file_name("a/b/Città_linea.dat"), "Città_linea.dat");
  EXPECT_EQ(file_stem("a/b/Città_24863.sim"), "Città_24863");
  EXPECT_EQ(file_name("plain.txt"), "plain.txt");
  EXPECT_EQ(file_stem(join_path("dir", "x.dat")), "x");
}

}  // namespace
}  // namespace scenario
