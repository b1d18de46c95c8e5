#include "compiler/complete_model.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/codice_gara.h"
#include "compiler/compiled_files.h"
#include "compiler/header_slots.h"
#include "format/file_writers.h"
#include "support/test_support.h"

namespace scenario {
namespace {

// A model as the reader leaves it.
class CompleteModelTest : public ::testing::Test {
 protected:
  CompleteModelTest() : c({"Valdora_Lusa", "24863"}) {
    c.model.track.assign(1781, TrackCell{});
    c.model.line.emplace(89000);
    c.model.table[table_entry::route].name = c.ids.route_id;
    c.model.table[table_entry::codes].name = c.ids.train_number;
  }

  // The completed model's files.
  CompiledFileBytes files() const { return compiled_file_bytes(compiled_files(c.model)); }

  // Expects the completion to end with a header conflict of `code`, recorded.
  void expect_conflict(Code code) {
    try {
      complete_model(c);
      ADD_FAILURE() << "no header conflict";
    } catch (const HeaderConflict& e) {
      EXPECT_EQ(e.code, code);
    }
    EXPECT_EQ(c.codes.last().code, code);
    EXPECT_FALSE(c.codes.last().has_pos);
  }

  Compilation c;
};

TEST_F(CompleteModelTest, HeaderValuesAndCompetitionCodesReachTheFiles) {
  complete_model(c);
  const CompiledFileBytes written = files();

  const std::string& track = written.track;
  ASSERT_EQ(track.size(), 26715u);
  EXPECT_EQ(static_cast<std::uint8_t>(track[16]), 0x01);
  EXPECT_EQ(static_cast<std::uint8_t>(track[17]), 0x14);
  EXPECT_EQ(testing::i16_at(track, 18), codice_gara_og(c.model.table));
  EXPECT_EQ(testing::i16_at(track, 18), 2398);
  EXPECT_EQ(testing::i16_at(track, 1), 0);  // cell 0 is not a header

  const std::string& table = written.table;
  EXPECT_EQ(table, write_table_file(c.model.table));
  EXPECT_EQ(table.size(), 87u * 34u + 12u + 5u);
  // Entry 85 follows 85 records of 34 bytes; its name is the route identifier.
  const std::size_t e85 = 85 * 34;
  EXPECT_EQ(testing::u16_at(table, e85 + 14), 12);
  EXPECT_EQ(testing::i16_at(table, e85 + 16 + 12), 610);
  EXPECT_EQ(testing::i32_at(table, e85 + 30 + 12), 33816);

  EXPECT_EQ(written.line, write_line_file(*c.model.line));
}

TEST_F(CompleteModelTest, TheFinishingPassRunsBeforeTheHeaderSlots) {
  c.model.track[200].kind = cell_kind::slowdown_start;
  c.model.track[200].value1 = 30;
  c.model.track[202].kind = cell_kind::slowdown_end;
  c.model.track[202].value1 = 30;
  c.codes.record(Code::sign_taken);  // a code of the reader does not stop anything
  complete_model(c);
  const std::string track = files().track;
  EXPECT_EQ(static_cast<std::uint8_t>(track[15 * 195]), cell_kind::code_cut);
  EXPECT_EQ(testing::i16_at(track, 15 * 195 + 1), 180);
  EXPECT_EQ(c.codes.last().code, Code::sign_taken);
}

TEST_F(CompleteModelTest, ATakenHeaderSlotEndsTheCompileBeforeAnyFileIsWritten) {
  c.model.track[1].kind = cell_kind::signal;
  c.model.track[1].value1 = 12;
  expect_conflict(Code::header_slot_taken);
}

TEST_F(CompleteModelTest, TakenRouteHeaderEnds1250) {
  c.model.table[table_entry::route].d2a = 1;
  expect_conflict(Code::header_slot_taken);
}

TEST_F(CompleteModelTest, TakenCodeSlotOfTheTableEnds1251) {
  c.model.table[table_entry::route].time_s = 5;
  expect_conflict(Code::code_slot_taken);
}

TEST_F(CompleteModelTest, TakenCodeSlotOfCell1Ends1251) {
  c.model.track[1].value2 = -1;
  expect_conflict(Code::code_slot_taken);
}

}  // namespace
}  // namespace scenario
