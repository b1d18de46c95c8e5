#include "compiler/complete_and_write.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/codice_gara.h"
#include "compiler/track_builder.h"
#include "format/file_names.h"
#include "format/file_writers.h"
#include "platform/file_system.h"
#include "platform/replace_files.h"
#include "run/errore.h"
#include "support/test_support.h"

namespace scenario {
namespace {

using testing::put;
using testing::read_file;
using testing::state_with_track;

// A model as the reader leaves it, in a folder of its own.
class CompleteAndWriteTest : public ::testing::Test {
 protected:
  CompleteAndWriteTest() : state(state_with_track(1780)) {
    state.route_id = "Valdora_Lusa";
    state.train_number = "24863";
    state.folder = dir.str();
    state.fs = &fs;
    state.message_box = &ui;
    state.build_line = 1;
    state.line_geometry = LineGeometry(89000);
    state.has_line_geometry = true;
    state.table[table_entry::route].name = state.route_id;
    state.table[table_entry::codes].name = state.train_number;
  }

  std::vector<std::string> binary_files() const {
    return {line_file_path(state), table_file_path(state), track_file_path(state)};
  }

  // Expects the run to end through `errore` with `code`, shown once, and no file of it written.
  void expect_errore(std::int32_t code) {
    testing::write_file(dir.file("old.dat"), "left by an earlier run");
    try {
      complete_and_write(state);
      ADD_FAILURE() << "no errore";
    } catch (const ErroreExit& e) {
      EXPECT_EQ(e.code, code);
    }
    EXPECT_EQ(ui.events, std::vector<std::string>{"message:  Errore n. " + std::to_string(code)});
    EXPECT_EQ(testing::list_folder(dir.path()), std::vector<std::string>{"old.dat"});
    EXPECT_EQ(read_file(dir.file("old.dat")), "left by an earlier run");
  }

  testing::TempDir dir;
  RealFileSystem fs;
  testing::RecordingUi ui;
  GeneratorState state;
};

TEST_F(CompleteAndWriteTest, HeaderValuesAndCompetitionCodesReachTheFiles) {
  complete_and_write(state);
  EXPECT_TRUE(ui.events.empty());

  const std::string track = read_file(track_file_path(state));
  ASSERT_EQ(track.size(), 26715u);
  EXPECT_EQ(static_cast<std::uint8_t>(track[16]), 0x01);
  EXPECT_EQ(static_cast<std::uint8_t>(track[17]), 0x14);
  EXPECT_EQ(testing::i16_at(track, 18), codice_gara_og(state.table));
  EXPECT_EQ(testing::i16_at(track, 18), 2398);
  EXPECT_EQ(testing::i16_at(track, 1), 0);  // cell 0 is not a header

  const std::string table = read_file(table_file_path(state));
  EXPECT_EQ(table, write_table_file(state.table));
  EXPECT_EQ(table.size(), 87u * 34u + 12u + 5u);
  // Entry 85 follows 85 records of 34 bytes; its name is the route identifier.
  const std::size_t e85 = 85 * 34;
  EXPECT_EQ(testing::u16_at(table, e85 + 14), 12);
  EXPECT_EQ(testing::i16_at(table, e85 + 16 + 12), 610);
  EXPECT_EQ(testing::i32_at(table, e85 + 30 + 12), 33816);

  EXPECT_EQ(read_file(line_file_path(state)), write_line_file(state.line_geometry));
}

TEST_F(CompleteAndWriteTest, WithoutTheLineGeometryFlagNoLineFileIsWritten) {
  state.build_line = 0;
  complete_and_write(state);
  EXPECT_FALSE(fs.exists(line_file_path(state)));
  EXPECT_TRUE(fs.exists(table_file_path(state)));
  EXPECT_TRUE(fs.exists(track_file_path(state)));
}

TEST_F(CompleteAndWriteTest, LongerFilesOfAnEarlierRunAreReplacedInFull) {
  for (const std::string& path : binary_files()) {
    testing::write_file(path, std::string(200000, 'x'));
  }
  state.build_line = 0;
  complete_and_write(state);
  EXPECT_EQ(read_file(track_file_path(state)).size(), 26715u);
  EXPECT_EQ(read_file(table_file_path(state)), write_table_file(state.table));
  // Not written this time, so not touched.
  EXPECT_EQ(read_file(line_file_path(state)).size(), 200000u);
}

TEST_F(CompleteAndWriteTest, TheFinishingPassRunsBeforeTheWriting) {
  put(state, 200, cell_kind::slowdown_start, 30);
  put(state, 202, cell_kind::slowdown_end, 30);
  state.error_code = 6;  // a code of the reader does not stop anything
  complete_and_write(state);
  const std::string track = read_file(track_file_path(state));
  EXPECT_EQ(static_cast<std::uint8_t>(track[15 * 195]), cell_kind::code_cut);
  EXPECT_EQ(testing::i16_at(track, 15 * 195 + 1), 180);
  EXPECT_EQ(state.error_code, 6);
}

TEST_F(CompleteAndWriteTest, FeatureInCell1Ends1250) {
  put(state, 1, cell_kind::signal, 12);
  expect_errore(1250);
}

TEST_F(CompleteAndWriteTest, TakenRouteHeaderEnds1250) {
  state.table[table_entry::route].d2a = 1;
  expect_errore(1250);
}

TEST_F(CompleteAndWriteTest, TakenCodeSlotOfTheTableEnds1251) {
  state.table[table_entry::route].time_s = 5;
  expect_errore(1251);
}

TEST_F(CompleteAndWriteTest, TakenCodeSlotOfCell1Ends1251) {
  state.track[1].value2 = -1;
  expect_errore(1251);
}

TEST_F(CompleteAndWriteTest, AFileThatCannotBeWrittenLeavesTheOldSetWhole) {
  for (const std::string& path : binary_files()) testing::write_file(path, "old");
  testing::FaultyFileSystem faulty;
  faulty.fail_kind = "write";
  faulty.fail_at = 3;  // the track file, the last of the three
  state.fs = &faulty;
  EXPECT_THROW(complete_and_write(state), FileError);
  for (const std::string& path : binary_files()) EXPECT_EQ(read_file(path), "old") << path;
  EXPECT_EQ(testing::list_folder(dir.path()).size(), 3u);
}

}  // namespace
}  // namespace scenario
