// The compiled files put into the scenario's folder: named and sized as the compile tells them,
// the bytes of the compile's own writers, and replaced as a set or not at all.
#include "run/write_compiled_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/faulty_file_system.h"
#include "platform/memory_file_system.h"
#include "platform/replace_files.h"

namespace scenario {
namespace {

class WriteCompiledFilesTest : public ::testing::Test {
 protected:
  WriteCompiledFilesTest() {
    result.model.track.assign(1781, TrackCell{});
    result.model.line.emplace(89000);
    result.model.table[table_entry::route].name = names.route_id;
    result.has_files = true;
  }

  std::vector<std::string> all_three() const {
    return {line_file_path(names), table_file_path(names), track_file_path(names)};
  }
  std::string file(const std::string& path) const { return fs.contents(path).value_or(""); }

  const ScenarioNames names{"/run", "Valdora_Lusa", "24863"};
  MemoryFileSystem fs;
  CompileResult result;
};

TEST_F(WriteCompiledFilesTest, EachFileHoldsItsWritersBytesAndIsToldWithItsSize) {
  const std::vector<WrittenFile> written = write_compiled_files(names, result, fs);
  const CompiledFileBytes bytes = result.file_bytes();
  const std::vector<std::string> expected{*bytes.line, bytes.table, bytes.track};
  ASSERT_EQ(written.size(), 3u);
  EXPECT_EQ(fs.paths(), (std::vector<std::string>{track_file_path(names), table_file_path(names),
                                                  line_file_path(names)}));
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(written[i].path, all_three()[i]);
    EXPECT_EQ(file(written[i].path), expected[i]) << written[i].path;
    EXPECT_EQ(written[i].bytes, expected[i].size()) << written[i].path;
  }
}

// Longer files of an earlier run are replaced in full; a line file not made this time stays.
TEST_F(WriteCompiledFilesTest, WithoutTheLineGeometryTheOldLineFileIsLeftAlone) {
  for (const std::string& path : all_three()) fs.put(path, std::string(200000, 'x'));
  result.model.line.reset();
  EXPECT_EQ(write_compiled_files(names, result, fs).size(), 2u);
  EXPECT_EQ(file(track_file_path(names)).size(), 26715u);
  EXPECT_EQ(file(table_file_path(names)), result.file_bytes().table);
  EXPECT_EQ(file(line_file_path(names)).size(), 200000u);
}

TEST_F(WriteCompiledFilesTest, ACompileWithoutFilesWritesNothing) {
  result.has_files = false;
  fs.put("/run/old.dat", "left by an earlier run");
  EXPECT_TRUE(write_compiled_files(names, result, fs).empty());
  EXPECT_EQ(fs.paths(), std::vector<std::string>{"/run/old.dat"});
}

TEST_F(WriteCompiledFilesTest, AFileThatCannotBeWrittenLeavesTheOldSetWhole) {
  for (const std::string& path : all_three()) fs.put(path, "old");
  FaultyFileSystem faulty(fs);
  faulty.fail_kind = "write";
  faulty.fail_at = 3;  // the third piece written, inside the line file
  EXPECT_THROW(write_compiled_files(names, result, faulty), FileError);
  for (const std::string& path : all_three()) EXPECT_EQ(file(path), "old") << path;
  EXPECT_EQ(fs.paths().size(), 3u);
}

}  // namespace
}  // namespace scenario
