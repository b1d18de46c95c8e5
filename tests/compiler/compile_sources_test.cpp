#include "compiler/compile_sources.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compiler/codice_gara.h"
#include "format/file_writers.h"
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

class CompileSourcesTest : public ::testing::Test {
 protected:
  void compile(const std::string& line, const std::optional<std::string>& train,
               bool build_line = true) {
    result = compile_sources(
        {{"Valdora_Lusa", "24863"}, testing::sources_of(line, train), {.build_line = build_line}});
    bytes = result.file_bytes();
  }

  std::vector<CompiledFileKind> kinds() const {
    std::vector<CompiledFileKind> out;
    for (const CompiledFile& f : result.files()) out.push_back(f.kind);
    return out;
  }

  Code code() const { return result.code.code; }

  CompileResult result;
  CompiledFileBytes bytes;
};

const std::vector<CompiledFileKind> kThreeFiles{CompiledFileKind::line, CompiledFileKind::table,
                                                CompiledFileKind::track};

TEST_F(CompileSourcesTest, WorkedExampleFromTheSourcesToTheTrackFile) {
  compile(line_source(), train_source({kWorkedExample}));
  EXPECT_EQ(code(), Code::none);
  EXPECT_EQ(result.model.track_last(), 1780);
  EXPECT_EQ(kinds(), kThreeFiles);

  const std::string& track = bytes.track;
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
  EXPECT_EQ(i16_at(track, 18), codice_gara_og(result.model.table));

  const std::string& table = bytes.table;
  const std::size_t e85 = 85 * 34;
  EXPECT_EQ(testing::i32_at(table, e85 + 1), 1);  // "sfondo uno"
  EXPECT_EQ(testing::i16_at(table, e85 + 16 + 12), 610);
  EXPECT_EQ(testing::i32_at(table, e85 + 30 + 12), codice_gara_st(result.model.table));
  EXPECT_EQ(table.size(), 87u * 34u + 12u + 5u);
}

// The line geometry changes nothing else: the table and track files are the same bytes.
TEST_F(CompileSourcesTest, WithoutTheLineGeometryThereIsNoLineFileAndTheOthersAreTheSame) {
  compile(line_source(), train_source({kWorkedExample}));
  const CompiledFileBytes with_line = bytes;
  ASSERT_TRUE(with_line.line.has_value());
  EXPECT_EQ(*with_line.line, write_line_file(result.model.line.value()));
  compile(line_source(), train_source({kWorkedExample}), false);
  EXPECT_FALSE(result.model.line.has_value());
  EXPECT_EQ(kinds(),
            (std::vector<CompiledFileKind>{CompiledFileKind::table, CompiledFileKind::track}));
  EXPECT_FALSE(bytes.line.has_value());
  EXPECT_EQ(bytes.table, with_line.table);
  EXPECT_EQ(bytes.track, with_line.track);
}

TEST_F(CompileSourcesTest, RecordedCodesStillWriteAllThreeFiles) {
  // The first band before the start at 211 is taken: the finishing pass records 12.
  compile(line_source({"indicatori_vmax, 10250, 100, 100, 100, 0, 0, 0, 0, 0",
                       "indicatori_vmax, 10200, 100, 100, 100, 0, 0, 0, 0, 0",
                       "indicatori_vmax, 10150, 100, 100, 100, 0, 0, 0, 0, 0"}),
          train_source({kWorkedExample}));
  EXPECT_EQ(code(), Code::no_room_in_band);
  EXPECT_EQ(result.code.pos, 10550);
  EXPECT_EQ(kinds(), kThreeFiles);
}

TEST_F(CompileSourcesTest, MissingLineSourceHasNoFiles) {
  result = compile_sources({{"Valdora_Lusa", "24863"}, {{}, SourceText::of(train_source())}, {}});
  EXPECT_EQ(code(), Code::no_line_source);
  EXPECT_FALSE(result.has_files);
  EXPECT_TRUE(kinds().empty());
}

TEST_F(CompileSourcesTest, ReaderThatCreatesNoTrackEndsWithACode) {
  compile(crlf({"[generale]", "[pendenze]", "[fine]"}), crlf({"niente"}));
  EXPECT_EQ(code(), Code::failure);
  EXPECT_FALSE(result.has_files);
  EXPECT_FALSE(result.header_conflict);
  EXPECT_TRUE(kinds().empty());
}

TEST_F(CompileSourcesTest, AFeatureInCell1EndsInAHeaderConflictWithNoFiles) {
  struct Case {
    const char* board;
    Code code;
  };
  // A board in cell 1 takes the header slot; one whose first value is 0 and second is not, the
  // code slot.
  for (const Case& c :
       {Case{"indicatori_vmax, 0, 120, 0, 0, 0, 120, 0, 0, 0", Code::header_slot_taken},
        Case{"indicatori_vmax, 0, 0, 100, 0, 0, 0, 0, 0, 0", Code::code_slot_taken}}) {
    SCOPED_TRACE(c.board);
    compile(line_source({c.board}), train_source());
    EXPECT_TRUE(result.header_conflict);
    EXPECT_FALSE(result.has_files);
    EXPECT_EQ(code(), c.code);
    EXPECT_TRUE(kinds().empty());
  }
}

}  // namespace
}  // namespace scenario
