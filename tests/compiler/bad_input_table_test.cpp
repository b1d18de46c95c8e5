// One crafted pair of sources for every code a compile can end with, run through the whole
// compile: the code, its position, and which compiled files it has. Each row is also a seed of the
// compile fuzzer (fuzz/corpus/compile/bad-CODE.txt).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "compiler/compile_sources.h"
#include "support/sources.h"
#include "support/test_support.h"

namespace scenario {
namespace {

using testing::crlf;
using testing::Lines;

enum class Files { none, table_and_track, all_three };

struct Row {
  std::string name;
  std::optional<Lines> line;  // unset: no line source at all
  Lines train;
  std::int32_t code;
  std::optional<std::int32_t> pos;
  Files files;
  std::int32_t build_line = 1;
};

Lines joined(Lines head, const Lines& more, const Lines& tail) {
  head.insert(head.end(), more.begin(), more.end());
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

// A route of 10000 m (track cells 0 to 340, line metres 0 to 17000) and the records of a row.
Lines line_source(const Lines& records) {
  return joined({"Linea di prova", "inizio_dati", "[generale]", "lunghezza percorso, 10000",
                 "sfondo uno, 1", "[tracciato]"},
                records, {"[fine]"});
}

// The same route with a general section of the row's own.
Lines line_source_with_general(const Lines& general) {
  return joined({"Linea di prova", "inizio_dati", "[generale]"}, general,
                {"[pendenze]", "pendenza, 500, 2", "[fine]"});
}

Lines train_source(const Lines& records) {
  return joined({"Treno di prova", "inizio_dati", "[generale]", "numero vetture, 6",
                 "velocita' limite, 0, 100"},
                records, {"[fine]"});
}

// Signboards at 1000, 1100, ...: each takes a table entry from 80 down.
Lines signboards(int n) {
  Lines out;
  for (int i = 0; i < n; ++i) {
    out.push_back("cartello indicatore, " + std::to_string(1000 + 100 * i) + ", s" +
                  std::to_string(i));
  }
  return out;
}

const std::string kStationA = "stazione, 1000, 12, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A";
const std::string kBoard1000 = "indicatori_vmax, 1000, 100, 100, 100, 0, 0, 0, 0, 0";
// Warning cell 77, announce cells 76 to 73, start cell 101, end cell 104.
const std::string kSlowdown5000 = "rallentamento, 5000, 30, 150, 1, 1, 0";

std::string signal_at(int metres) {
  return "segnale, " + std::to_string(metres) + ", 1, 3, 4, 0, 0, 0, 0, 0, 0, 0";
}

std::vector<Row> rows() {
  return {
      {"no line source", std::nullopt, train_source({}), 101, std::nullopt, Files::none},
      {"no general section", Lines{"Linea di prova", "inizio_dati", "[pendenze]"}, train_source({}),
       102, std::nullopt, Files::none},
      {"route too long", line_source_with_general({"lunghezza percorso, 1000001"}),
       train_source({}), 1, std::nullopt, Files::none},
      {"repetition start",
       line_source_with_general(
           {"lunghezza percorso, 10000", "ripetizione segnali 4 codici, 1025, 4000"}),
       train_source({}), 3, std::nullopt, Files::all_three},
      {"repetition end",
       line_source_with_general(
           {"lunghezza percorso, 10000", "ripetizione segnali 4 codici, 1000, 4025"}),
       train_source({}), 4, std::nullopt, Files::all_three},
      {"repetition codes",
       line_source_with_general(
           {"lunghezza percorso, 10000", "ripetizione segnali codici, 1000, 4000"}),
       train_source({}), 5, std::nullopt, Files::all_three},
      {"curve without class", line_source({"curvas, 1000, 100"}), train_source({}), 103,
       std::nullopt, Files::all_three},
      {"beyond the track", line_source({"pendenza, 20000, 1"}), train_source({}), 15, 20000,
       Files::all_three},
      {"signboard cell taken", line_source({kBoard1000, "cartello indicatore, 1000, X"}),
       train_source({}), 6, 1000, Files::all_three},
      {"code cut cell taken", line_source({}),
       train_source({"abbattimento codice, 2000, 1", "abbattimento codice, 2000, 1"}), 7, 2000,
       Files::all_three},
      {"station position", line_source({}),
       train_source({"stazione, 3025, 12, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, B"}), 8, 3025,
       Files::all_three},
      {"station length", line_source({}),
       train_source({"stazione, 3000, 12, 250, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, B"}), 9, 3000,
       Files::all_three},
      {"stop too near the start", line_source({}),
       train_source({"stazione, 0, 12, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A"}), 24, std::nullopt,
       Files::all_three},
      {"station spacing", line_source({}),
       train_source({kStationA, "stazione, 1500, 12, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, B"}), 22,
       1500, Files::all_three},
      {"too many stations", line_source(signboards(80)), train_source({kStationA}), 10,
       std::nullopt, Files::all_three},
      {"kilometre point",
       line_source_with_general(
           {"lunghezza percorso, 10000", "progressiva chilometrica uno, 0, 75, 0"}),
       train_source({}), 2, std::nullopt, Files::table_and_track, 0},
      {"not a number", line_source({"pendenza, 10.5, 1"}), train_source({}), 25, std::nullopt,
       Files::all_three},
      {"signal cell taken", line_source({}), train_source({signal_at(1000), signal_at(1000)}), 16,
       1000, Files::table_and_track, 0},
      {"slowdown warning cell taken", line_source({}),
       train_source({signal_at(3800), kSlowdown5000}), 17, 5000, Files::all_three},
      {"slowdown start cell taken", line_source({}), train_source({signal_at(5000), kSlowdown5000}),
       18, 5000, Files::all_three},
      {"slowdown end cell taken", line_source({}), train_source({signal_at(5150), kSlowdown5000}),
       19, 5000, Files::all_three},
      {"slowdown announce cell taken", line_source({}),
       train_source({signal_at(3700), kSlowdown5000}), 20, 5000, Files::all_three},
      {"speed board cell taken", line_source({kBoard1000, kBoard1000}), train_source({}), 21, 1000,
       Files::all_three},
      // Signals in cells 70, 71 and 72 before the warning in 77: no room before the one in 72.
      {"no marker before a signal", line_source({}),
       train_source({signal_at(3450), signal_at(3500), signal_at(3550), kSlowdown5000}), 11, 3600,
       Files::all_three},
      // Boards in cells 204, 205 and 206 fill the first band before the start in cell 211.
      {"no marker in a band",
       line_source({"indicatori_vmax, 10250, 100, 100, 100, 0, 0, 0, 0, 0",
                    "indicatori_vmax, 10200, 100, 100, 100, 0, 0, 0, 0, 0",
                    "indicatori_vmax, 10150, 100, 100, 100, 0, 0, 0, 0, 0"}),
       train_source({"rallentamento, 10500, 30, 150, 1, 1, 0"}), 12, 10550, Files::all_three},
      // A board in cell 105 between the end in 104 and a signal in 106.
      {"no marker after a slowdown",
       line_source({"indicatori_vmax, 5200, 100, 100, 100, 0, 0, 0, 0, 0"}),
       train_source({signal_at(5250), kSlowdown5000}), 13, 5200, Files::all_three},
      {"header slot taken", line_source({"indicatori_vmax, 0, 120, 0, 0, 0, 120, 0, 0, 0"}),
       train_source({}), 1250, std::nullopt, Files::none},
      {"competition code slot taken", line_source({"indicatori_vmax, 0, 0, 100, 0, 0, 0, 0, 0, 0"}),
       train_source({}), 1251, std::nullopt, Files::none},
  };
}

bool ends_in_a_header_conflict(const Row& row) { return row.code == 1250 || row.code == 1251; }

std::vector<CompiledFileKind> expected_files(Files files) {
  switch (files) {
    case Files::none:
      return {};
    case Files::table_and_track:
      return {CompiledFileKind::table, CompiledFileKind::track};
    case Files::all_three:
      return {CompiledFileKind::line, CompiledFileKind::table, CompiledFileKind::track};
  }
  return {};
}

std::vector<CompiledFileKind> kinds_of(const std::vector<CompiledFile>& files) {
  std::vector<CompiledFileKind> kinds;
  for (const CompiledFile& f : files) kinds.push_back(f.kind);
  return kinds;
}

TEST(BadInputTableTest, EveryCodeWithItsPositionAndFiles) {
  for (const Row& row : rows()) {
    SCOPED_TRACE(row.name + " (" + std::to_string(row.code) + ")");
    CompileInput input{{"Prova_Linea", "4711"}, {}, {.build_line = row.build_line != 0}};
    if (row.line) input.sources.line = SourceText::of(crlf(*row.line));
    input.sources.train = SourceText::of(crlf(row.train));
    const CompileResult result = compile_sources(std::move(input));
    EXPECT_EQ(result.header_conflict, ends_in_a_header_conflict(row));
    EXPECT_EQ(number(result.code.code), row.code);
    EXPECT_EQ(result.code.has_pos, row.pos.has_value());
    if (row.pos) {
      EXPECT_EQ(result.code.pos, *row.pos);
    }
    EXPECT_EQ(kinds_of(result.files()), expected_files(row.files));
  }
}

TEST(BadInputTableTest, EveryCodeASourceOrTheCompileCanRaiseHasItsRow) {
  const std::vector<std::int32_t> codes{101, 102, 1,  3,  4,  5,  103,  15,  6,  7,
                                        8,   9,   24, 22, 10, 2,  25,   16,  17, 18,
                                        19,  20,  21, 11, 12, 13, 1250, 1251};
  std::vector<std::int32_t> in_table;
  for (const Row& row : rows()) in_table.push_back(row.code);
  EXPECT_EQ(in_table, codes);
}

// The cut format of the compile fuzzer: the line source, one NUL byte, the train source. A row
// without a line source cannot be written in it.
std::string fuzz_input(const Row& row) {
  std::string out = crlf(*row.line);
  out += '\0';
  out += crlf(row.train);
  return out;
}

std::filesystem::path seed_folder() {
  return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "fuzz" /
         "corpus" / "compile";
}

// The seeds in the repository are the rows of this table. With SCENARIO_WRITE_BAD_INPUT_SEEDS
// set, the test writes them instead.
TEST(BadInputSeedsTest, EveryRowIsASeedOfTheCompileFuzzer) {
  const bool write = std::getenv("SCENARIO_WRITE_BAD_INPUT_SEEDS") != nullptr;
  ASSERT_TRUE(std::filesystem::is_directory(seed_folder())) << seed_folder();
  for (const Row& row : rows()) {
    if (!row.line) continue;
    const auto path = seed_folder() / ("bad-" + std::to_string(row.code) + ".txt");
    if (write) testing::write_file(path, fuzz_input(row));
    ASSERT_TRUE(std::filesystem::exists(path)) << path;
    EXPECT_EQ(testing::read_file(path), fuzz_input(row)) << path;
  }
}

}  // namespace
}  // namespace scenario
