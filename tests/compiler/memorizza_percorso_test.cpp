#include "compiler/memorizza_percorso.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "compiler/codice_gara.h"
#include "compiler/compilation.h"
#include "format/file_names.h"
#include "platform/file_system.h"
#include "run/errore.h"
#include "support/test_support.h"

namespace scenario {
namespace {

using testing::i16_at;
using testing::read_file;

std::string lines(std::initializer_list<std::string> ls) {
  std::string out;
  for (const std::string& l : ls) out += l + "\r\n";
  return out;
}

// A line source of 82000 m with nothing on it.
std::string line_source(std::initializer_list<std::string> records = {}) {
  std::string out = lines({"Percorso di prova", "inizio_dati  ", "[generale]",
                           "lunghezza percorso,    82000", "sfondo uno,    1", "[cartelli]"});
  for (const std::string& r : records) out += r + "\r\n";
  return out + lines({"[fine]"});
}

std::string train_source(std::initializer_list<std::string> records = {}) {
  std::string out = lines({"Treno di prova", "inizio_dati", "[generale]", "numero vetture,    6",
                           "aderenza,  0, 100", "velocita' limite ,     0    ,  30"});
  for (const std::string& r : records) out += r + "\r\n";
  return out + lines({"[fine]"});
}

const std::string kWorkedExample = "rallentamento,  10500, 30, 150, 1, 1, 0";

class MemorizzaPercorsoTest : public ::testing::Test {
 protected:
  MemorizzaPercorsoTest() {
    state.route_id = "Valdora_Lusa";
    state.train_number = "24863";
    state.folder = dir.str();
    state.fs = &fs;
    state.message_box = &ui;
  }

  void write_sources(const std::string& line, const std::string& train) {
    testing::write_file(line_source_path(state), line);
    testing::write_file(train_source_path(state), train);
  }

  std::vector<std::string> folder() const { return testing::list_folder(dir.path()); }

  std::int32_t errore_code_of_run() {
    try {
      memorizza_percorso(state, 1);
    } catch (const ErroreExit& e) {
      return e.code;
    }
    return 0;
  }

  testing::TempDir dir;
  RealFileSystem fs;
  testing::RecordingUi ui;
  GeneratorState state;
};

const std::vector<std::string> kThreeBinaryFiles{"Valdora_Lusa_24863.dat", "Valdora_Lusa_24863.sim",
                                                 "Valdora_Lusa_linea.dat"};

TEST_F(MemorizzaPercorsoTest, WorkedExampleFromTheSourcesToTheTrackFile) {
  write_sources(line_source(), train_source({kWorkedExample}));
  memorizza_percorso(state, 1);
  EXPECT_EQ(state.error_code, 0);
  EXPECT_TRUE(ui.events.empty());
  EXPECT_EQ(state.track_last, 1780);
  EXPECT_EQ(folder(), kThreeBinaryFiles);  // both sources gone

  const std::string track = read_file(track_file_path(state));
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
  EXPECT_EQ(i16_at(track, 18), codice_gara_og(state.table));

  const std::string table = read_file(table_file_path(state));
  const std::size_t e85 = 85 * 34;
  EXPECT_EQ(testing::i32_at(table, e85 + 1), 1);  // "sfondo uno"
  EXPECT_EQ(testing::i16_at(table, e85 + 16 + 12), 610);
  EXPECT_EQ(testing::i32_at(table, e85 + 30 + 12), codice_gara_st(state.table));
  EXPECT_EQ(table.size(), 87u * 34u + 12u + 5u);
}

TEST_F(MemorizzaPercorsoTest, EarlierCodesAndTableContentsAreClearedFirst) {
  write_sources(line_source(), train_source());
  state.error_code = 7;
  state.error_pos = 350;
  state.error_pos_recorded = true;
  state.table[40].name = "left over";
  state.table[40].pos_m = 1234;
  memorizza_percorso(state, 1);
  EXPECT_EQ(state.error_code, 0);
  EXPECT_FALSE(state.error_pos_recorded);
  EXPECT_EQ(state.table[40], SimRecord{});
}

TEST_F(MemorizzaPercorsoTest, WithoutTheFlagThereIsNoLineFile) {
  write_sources(line_source(), train_source());
  memorizza_percorso(state, 0);
  EXPECT_EQ(state.build_line, 0);
  EXPECT_EQ(folder(),
            (std::vector<std::string>{"Valdora_Lusa_24863.dat", "Valdora_Lusa_24863.sim"}));
}

TEST_F(MemorizzaPercorsoTest, RecordedCodesStillWriteAllThreeFiles) {
  // The first band before the start at 211 is taken: the finishing pass records 12.
  write_sources(line_source({"indicatori_vmax, 10250, 100, 100, 100, 0, 0, 0, 0, 0",
                             "indicatori_vmax, 10200, 100, 100, 100, 0, 0, 0, 0, 0",
                             "indicatori_vmax, 10150, 100, 100, 100, 0, 0, 0, 0, 0"}),
                train_source({kWorkedExample}));
  memorizza_percorso(state, 1);
  EXPECT_EQ(state.error_code, 12);
  EXPECT_EQ(state.error_pos, 10550);
  EXPECT_TRUE(ui.events.empty());
  EXPECT_EQ(folder(), kThreeBinaryFiles);
}

TEST_F(MemorizzaPercorsoTest, MissingLineSourceWritesNoBinaryFile) {
  testing::write_file(train_source_path(state), train_source());
  memorizza_percorso(state, 1);
  EXPECT_EQ(state.error_code, 101);
  EXPECT_TRUE(ui.events.empty());
  EXPECT_TRUE(folder().empty());
}

TEST_F(MemorizzaPercorsoTest, ReaderThatCreatesNoTrackEndsWithACode) {
  write_sources(lines({"[generale]", "[pendenze]", "[fine]"}), lines({"niente"}));
  memorizza_percorso(state, 1);
  EXPECT_EQ(state.error_code, 25);
  EXPECT_TRUE(ui.events.empty());
  EXPECT_TRUE(folder().empty());
}

TEST_F(MemorizzaPercorsoTest, FeatureInCell1EndsInErrore1250WithNoBinaryFile) {
  write_sources(line_source({"indicatori_vmax, 0, 120, 0, 0, 0, 120, 0, 0, 0"}), train_source());
  testing::write_file(dir.file("Valdora_Lusa_24863_note.txt"), "a document");
  EXPECT_EQ(errore_code_of_run(), 1250);
  EXPECT_EQ(ui.events, std::vector<std::string>{"message:  Errore n. 1250"});
  EXPECT_EQ(folder(), std::vector<std::string>{"Valdora_Lusa_24863_note.txt"});
  EXPECT_EQ(read_file(dir.file("Valdora_Lusa_24863_note.txt")), "a document");
}

TEST_F(MemorizzaPercorsoTest, SecondValueInCell1EndsInErrore1251) {
  // A board whose first value is 0 and second is not.
  write_sources(line_source({"indicatori_vmax, 0, 0, 100, 0, 0, 0, 0, 0, 0"}), train_source());
  EXPECT_EQ(errore_code_of_run(), 1251);
  EXPECT_EQ(ui.events, std::vector<std::string>{"message:  Errore n. 1251"});
  EXPECT_TRUE(folder().empty());
}

}  // namespace
}  // namespace scenario
