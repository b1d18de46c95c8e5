// The file system of an author's compile: its two sources come from memory and their deletion
// stays there, the author's files of the same names are never touched, and the output folder is
// made only when the first file is written into it.
#include "scenario_tool/compile/sources_in_memory.h"

#include <gtest/gtest.h>

#include "platform/memory_file_system.h"
#include "platform/replace_files.h"

namespace scenario::tool {
namespace {

TEST(SourcesInMemoryTest, TheCompilerReadsAndDeletesOnlyTheCopiesInMemory) {
  MemoryFileSystem disk;
  disk.put("/out/R_linea.txt", "the author's own file");
  SourcesInMemory fs(disk, {{"/out/R_linea.txt", "line"}, {"/out/R_1-.txt", "train"}}, "/out");
  std::string bytes;
  std::string err;
  ASSERT_TRUE(fs.read("/out/R_linea.txt", &bytes, &err));
  EXPECT_EQ(bytes, "line");
  EXPECT_TRUE(fs.exists("/out/R_1-.txt"));
  EXPECT_FALSE(disk.exists("/out/R_1-.txt"));

  ASSERT_TRUE(fs.remove("/out/R_linea.txt", &err));
  EXPECT_EQ(fs.kind_of("/out/R_linea.txt"), PathKind::missing);
  EXPECT_FALSE(fs.read("/out/R_linea.txt", &bytes, &err));
  EXPECT_FALSE(fs.remove("/out/R_linea.txt", &err));
  // A source is never written, nor renamed over.
  EXPECT_EQ(fs.create("/out/R_1-.txt", &err), nullptr);
  EXPECT_FALSE(fs.rename("/out/other", "/out/R_1-.txt", &err));

  EXPECT_EQ(disk.contents("/out/R_linea.txt"), "the author's own file");
  EXPECT_EQ(disk.paths(), std::vector<std::string>{"/out/R_linea.txt"});
}

TEST(SourcesInMemoryTest, TheOutputFolderIsMadeAtTheFirstWriteAndItsFailureNamesIt) {
  MemoryFileSystem disk;
  SourcesInMemory fs(disk, {}, "/new/out");
  EXPECT_FALSE(disk.is_folder("/new/out"));
  replace_file(fs, "/new/out/R_1.dat", "cells");
  EXPECT_TRUE(disk.is_folder("/new/out"));
  EXPECT_EQ(disk.contents("/new/out/R_1.dat"), "cells");

  disk.put("/blocked", "a file where the folder should be");
  SourcesInMemory blocked(disk, {}, "/blocked/out");
  try {
    replace_file(blocked, "/blocked/out/R_1.dat", "cells");
    FAIL() << "the folder could be made";
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), "/blocked/out");
    EXPECT_EQ(std::string(e.what()), "cannot create /blocked/out: File exists");
  }
}

}  // namespace
}  // namespace scenario::tool
