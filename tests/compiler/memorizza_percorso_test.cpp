#include "compiler/memorizza_percorso.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/codice_gara.h"
#include "compiler/header_slots.h"
#include "format/file_names.h"
#include "platform/memory_file_system.h"
#include "support/sources.h"
#include "support/test_support.h"

namespace scenario {
namespace {

using testing::crlf;
using testing::i16_at;
using testing::Lines;
using testing::source_text;

// A line source of 82000 m with nothing on it but the records.
std::string line_source(const Lines& records = {}) {
  return source_text({"Percorso di prova", "inizio_dati  ", "[generale]",
                      "lunghezza percorso,    82000", "sfondo uno,    1", "[cartelli]"},
                     records);
}

std::string train_source(const Lines& records = {}) {
  return source_text({"Treno di prova", "inizio_dati", "[generale]", "numero vetture,    6",
                      "aderenza,  0, 100", "velocita' limite ,     0    ,  30"},
                     records);
}

const std::string kWorkedExample = "rallentamento,  10500, 30, 150, 1, 1, 0";

class MemorizzaPercorsoTest : public ::testing::Test {
 protected:
  MemorizzaPercorsoTest() : c({"/run", "Valdora_Lusa", "24863"}, fs) {}

  void write_sources(const std::string& line, const std::string& train) {
    testing::put_sources(fs, c.names, line, train);
  }

  std::vector<std::string> folder() const { return fs.paths(); }
  std::string file(const std::string& path) const { return fs.contents(path).value_or(""); }

  // The header conflict the compile ended with, or Code::none.
  Code conflict_of_run() {
    try {
      memorizza_percorso(c, 1);
    } catch (const HeaderConflict& e) {
      return e.code;
    }
    return Code::none;
  }

  Code code() const { return c.codes.last().code; }

  MemoryFileSystem fs;
  Compilation c;
};

// A file of the run's folder, named as the compiler names it.
std::string in_run(const std::string& name) { return std::string("/run") + path_separator + name; }

const std::vector<std::string> kThreeBinaryFiles{in_run("Valdora_Lusa_24863.dat"),
                                                 in_run("Valdora_Lusa_24863.sim"),
                                                 in_run("Valdora_Lusa_linea.dat")};

TEST_F(MemorizzaPercorsoTest, WorkedExampleFromTheSourcesToTheTrackFile) {
  write_sources(line_source(), train_source({kWorkedExample}));
  memorizza_percorso(c, 1);
  EXPECT_EQ(code(), Code::none);
  EXPECT_EQ(c.model.track_last(), 1780);
  EXPECT_EQ(folder(), kThreeBinaryFiles);  // both sources gone

  const std::string track = file(track_file_path(c.names));
  ASSERT_EQ(track.size(), 26715u);
  auto kind = [&](std::size_t i) { return static_cast<std::uint8_t>(track[15 * i]); };
  auto value1 = [&](std::size_t i) { return i16_at(track, 15 * i + 1); };
  EXPECT_EQ(kind(211), cell_kind::slowdown_start);
  EXPECT_EQ(value1(211), 30);
  EXPECT_EQ(kind(214), cell_kind::slowdown_end);
  EXPECT_EQ(kind(187), cell_kind::slowdown_warning);
  for (std::size_t i = 183; i <= 186; ++i) EXPECT_EQ(kind(i), cell_kind::slowdown_announce);
  for (std::size_t i : {206, 200, 193}) {
    EXPECT_EQ(kind(i), cell_kind::code_cut) << i;
    EXPECT_EQ(value1(i), 180) << i;
  }
  // Cell 1 is the header: 5121, then the plain competition code.
  EXPECT_EQ(static_cast<std::uint8_t>(track[16]), 0x01);
  EXPECT_EQ(static_cast<std::uint8_t>(track[17]), 0x14);
  EXPECT_EQ(i16_at(track, 18), codice_gara_og(c.model.table));

  const std::string table = file(table_file_path(c.names));
  const std::size_t e85 = 85 * 34;
  EXPECT_EQ(testing::i32_at(table, e85 + 1), 1);  // "sfondo uno"
  EXPECT_EQ(testing::i16_at(table, e85 + 16 + 12), 610);
  EXPECT_EQ(testing::i32_at(table, e85 + 30 + 12), codice_gara_st(c.model.table));
  EXPECT_EQ(table.size(), 87u * 34u + 12u + 5u);
}

TEST_F(MemorizzaPercorsoTest, EarlierCodesAndTableContentsAreClearedFirst) {
  write_sources(line_source(), train_source());
  c.codes.record_at(Code::cut_taken, 350);
  c.model.table[40].name = "left over";
  c.model.table[40].pos_m = 1234;
  c.written.push_back({"/run/left_over.dat", 1});
  memorizza_percorso(c, 1);
  EXPECT_EQ(code(), Code::none);
  EXPECT_FALSE(c.codes.last().has_pos);
  EXPECT_EQ(c.model.table[40], SimRecord{});
  EXPECT_EQ(c.written.size(), 3u);
}

TEST_F(MemorizzaPercorsoTest, WithoutTheFlagThereIsNoLineFile) {
  write_sources(line_source(), train_source());
  memorizza_percorso(c, 0);
  EXPECT_FALSE(c.options.build_line);
  EXPECT_FALSE(c.model.line.has_value());
  EXPECT_EQ(folder(), (std::vector<std::string>{in_run("Valdora_Lusa_24863.dat"),
                                                in_run("Valdora_Lusa_24863.sim")}));
}

TEST_F(MemorizzaPercorsoTest, RecordedCodesStillWriteAllThreeFiles) {
  // The first band before the start at 211 is taken: the finishing pass records 12.
  write_sources(line_source({"indicatori_vmax, 10250, 100, 100, 100, 0, 0, 0, 0, 0",
                             "indicatori_vmax, 10200, 100, 100, 100, 0, 0, 0, 0, 0",
                             "indicatori_vmax, 10150, 100, 100, 100, 0, 0, 0, 0, 0"}),
                train_source({kWorkedExample}));
  memorizza_percorso(c, 1);
  EXPECT_EQ(code(), Code::no_room_in_band);
  EXPECT_EQ(c.codes.last().pos, 10550);
  EXPECT_EQ(folder(), kThreeBinaryFiles);
}

TEST_F(MemorizzaPercorsoTest, MissingLineSourceWritesNoBinaryFile) {
  fs.put(train_source_path(c.names), train_source());
  memorizza_percorso(c, 1);
  EXPECT_EQ(code(), Code::no_line_source);
  EXPECT_TRUE(folder().empty());
}

TEST_F(MemorizzaPercorsoTest, ReaderThatCreatesNoTrackEndsWithACode) {
  write_sources(crlf({"[generale]", "[pendenze]", "[fine]"}), crlf({"niente"}));
  memorizza_percorso(c, 1);
  EXPECT_EQ(code(), Code::failure);
  EXPECT_TRUE(folder().empty());
}

TEST_F(MemorizzaPercorsoTest, FeatureInCell1EndsInAHeaderConflictWithNoBinaryFile) {
  write_sources(line_source({"indicatori_vmax, 0, 120, 0, 0, 0, 120, 0, 0, 0"}), train_source());
  fs.put(in_run("Valdora_Lusa_24863_note.txt"), "a document");
  EXPECT_EQ(conflict_of_run(), Code::header_slot_taken);
  EXPECT_EQ(code(), Code::header_slot_taken);
  EXPECT_EQ(folder(), std::vector<std::string>{in_run("Valdora_Lusa_24863_note.txt")});
  EXPECT_EQ(file(in_run("Valdora_Lusa_24863_note.txt")), "a document");
}

TEST_F(MemorizzaPercorsoTest, SecondValueInCell1EndsInTheCodeSlotConflict) {
  // A board whose first value is 0 and second is not.
  write_sources(line_source({"indicatori_vmax, 0, 0, 100, 0, 0, 0, 0, 0, 0"}), train_source());
  EXPECT_EQ(conflict_of_run(), Code::code_slot_taken);
  EXPECT_TRUE(folder().empty());
}

}  // namespace
}  // namespace scenario
