#include "compiler/complete_and_write.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/codice_gara.h"
#include "compiler/header_slots.h"
#include "format/file_names.h"
#include "format/file_writers.h"
#include "platform/faulty_file_system.h"
#include "platform/memory_file_system.h"
#include "platform/replace_files.h"
#include "support/test_support.h"

namespace scenario {
namespace {

// A model as the reader leaves it, in a folder of a file system in memory.
class CompleteAndWriteTest : public ::testing::Test {
 protected:
  CompleteAndWriteTest() : c({"/run", "Valdora_Lusa", "24863"}, fs) {
    c.model.track.assign(1781, TrackCell{});
    c.model.line.emplace(89000);
    c.model.table[table_entry::route].name = c.names.route_id;
    c.model.table[table_entry::codes].name = c.names.train_number;
  }

  std::vector<std::string> binary_files() const {
    return {line_file_path(c.names), table_file_path(c.names), track_file_path(c.names)};
  }

  std::string file(const std::string& path) const { return fs.contents(path).value_or(""); }

  // Expects the compile to end with a header conflict of `code`, recorded, and no file written.
  void expect_conflict(Code code) {
    fs.put("/run/old.dat", "left by an earlier run");
    try {
      complete_and_write(c);
      ADD_FAILURE() << "no header conflict";
    } catch (const HeaderConflict& e) {
      EXPECT_EQ(e.code, code);
    }
    EXPECT_EQ(c.codes.last().code, code);
    EXPECT_FALSE(c.codes.last().has_pos);
    EXPECT_EQ(fs.paths(), std::vector<std::string>{"/run/old.dat"});
    EXPECT_TRUE(c.written.empty());
  }

  MemoryFileSystem fs;
  Compilation c;
};

TEST_F(CompleteAndWriteTest, HeaderValuesAndCompetitionCodesReachTheFiles) {
  complete_and_write(c);

  const std::string track = file(track_file_path(c.names));
  ASSERT_EQ(track.size(), 26715u);
  EXPECT_EQ(static_cast<std::uint8_t>(track[16]), 0x01);
  EXPECT_EQ(static_cast<std::uint8_t>(track[17]), 0x14);
  EXPECT_EQ(testing::i16_at(track, 18), codice_gara_og(c.model.table));
  EXPECT_EQ(testing::i16_at(track, 18), 2398);
  EXPECT_EQ(testing::i16_at(track, 1), 0);  // cell 0 is not a header

  const std::string table = file(table_file_path(c.names));
  EXPECT_EQ(table, write_table_file(c.model.table));
  EXPECT_EQ(table.size(), 87u * 34u + 12u + 5u);
  // Entry 85 follows 85 records of 34 bytes; its name is the route identifier.
  const std::size_t e85 = 85 * 34;
  EXPECT_EQ(testing::u16_at(table, e85 + 14), 12);
  EXPECT_EQ(testing::i16_at(table, e85 + 16 + 12), 610);
  EXPECT_EQ(testing::i32_at(table, e85 + 30 + 12), 33816);

  EXPECT_EQ(file(line_file_path(c.names)), write_line_file(*c.model.line));
  // What was written is told, in the order of the replacement.
  ASSERT_EQ(c.written.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(c.written[i].path, binary_files()[i]);
    EXPECT_EQ(c.written[i].bytes, file(binary_files()[i]).size());
  }
}

TEST_F(CompleteAndWriteTest, WithoutTheLineGeometryNoLineFileIsWritten) {
  c.model.line.reset();
  complete_and_write(c);
  EXPECT_FALSE(fs.exists(line_file_path(c.names)));
  EXPECT_TRUE(fs.exists(table_file_path(c.names)));
  EXPECT_TRUE(fs.exists(track_file_path(c.names)));
  EXPECT_EQ(c.written.size(), 2u);
}

TEST_F(CompleteAndWriteTest, LongerFilesOfAnEarlierRunAreReplacedInFull) {
  for (const std::string& path : binary_files()) fs.put(path, std::string(200000, 'x'));
  c.model.line.reset();
  complete_and_write(c);
  EXPECT_EQ(file(track_file_path(c.names)).size(), 26715u);
  EXPECT_EQ(file(table_file_path(c.names)), write_table_file(c.model.table));
  // Not written this time, so not touched.
  EXPECT_EQ(file(line_file_path(c.names)).size(), 200000u);
}

TEST_F(CompleteAndWriteTest, TheFinishingPassRunsBeforeTheWriting) {
  c.model.track[200].kind = cell_kind::slowdown_start;
  c.model.track[200].value1 = 30;
  c.model.track[202].kind = cell_kind::slowdown_end;
  c.model.track[202].value1 = 30;
  c.codes.record(Code::sign_taken);  // a code of the reader does not stop anything
  complete_and_write(c);
  const std::string track = file(track_file_path(c.names));
  EXPECT_EQ(static_cast<std::uint8_t>(track[15 * 195]), cell_kind::code_cut);
  EXPECT_EQ(testing::i16_at(track, 15 * 195 + 1), 180);
  EXPECT_EQ(c.codes.last().code, Code::sign_taken);
}

TEST_F(CompleteAndWriteTest, ATakenHeaderSlotEndsTheCompileBeforeAnyFileIsWritten) {
  c.model.track[1].kind = cell_kind::signal;
  c.model.track[1].value1 = 12;
  expect_conflict(Code::header_slot_taken);
}

TEST_F(CompleteAndWriteTest, TakenRouteHeaderEnds1250) {
  c.model.table[table_entry::route].d2a = 1;
  expect_conflict(Code::header_slot_taken);
}

TEST_F(CompleteAndWriteTest, TakenCodeSlotOfTheTableEnds1251) {
  c.model.table[table_entry::route].time_s = 5;
  expect_conflict(Code::code_slot_taken);
}

TEST_F(CompleteAndWriteTest, TakenCodeSlotOfCell1Ends1251) {
  c.model.track[1].value2 = -1;
  expect_conflict(Code::code_slot_taken);
}

TEST_F(CompleteAndWriteTest, AFileThatCannotBeWrittenLeavesTheOldSetWhole) {
  for (const std::string& path : binary_files()) fs.put(path, "old");
  FaultyFileSystem faulty(fs);
  faulty.fail_kind = "write";
  faulty.fail_at = 3;  // the track file, the last of the three
  Compilation failing(c.names, faulty);
  failing.model = c.model;
  EXPECT_THROW(complete_and_write(failing), FileError);
  for (const std::string& path : binary_files()) EXPECT_EQ(file(path), "old") << path;
  EXPECT_EQ(fs.paths().size(), 3u);
  EXPECT_TRUE(failing.written.empty());
}

}  // namespace
}  // namespace scenario
