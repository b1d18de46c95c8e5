// compile --check: a finding goes to the line of its record, every check over the records has
// its page, and a train source that gave nothing is an error that writes nothing.
#include "scenario_tool/verbs/compile_check.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/memory_file_system.h"
#include "scenario_tool/compile/record_checks.h"
#include "scenario_tool/explain/check_pages.h"
#include "scenario_tool/verbs/finding_lines.h"
#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {
namespace {

const RecordKind* kind_named(std::string_view name) {
  for (const RecordKind& k : record_kinds()) {
    if (k.name == name) return &k;
  }
  return nullptr;
}

CheckedRecord record(std::string_view name, int line, std::int64_t position) {
  return {kind_named(name), kind_named(name)->source, line, std::string(name), {position}};
}

// A stretch is blamed on the last record that starts at or before the place, a point on the
// record in the nearest cell; a finding with no place, or no record of its kind, on none.
TEST(CompileCheckTest, AFindingGoesToTheRecordOfItsKindAtItsPlace) {
  const std::vector<CheckedRecord> records{
      record("pendenza", 16, 0),          record("pendenza", 17, 2500),
      record("pendenza", 18, 7000),       record("curva", 26, 3200),
      record("stazione", 21, 500),        record("stazione", 22, 9500),
      record("indicatori_vmax", 35, 1800)};
  struct Row {
    const char* check;
    std::optional<std::int64_t> at;
    int line;  // 0: none
  } rows[] = {{check_id::gradient, 2500, 17},        {check_id::gradient, 6950, 17},
              {check_id::gradient, 7000, 18},        {check_id::curve_speed, 3199, 26},
              {check_id::curve_speed, 3150, 0},      {check_id::timetable_order, 9450, 22},
              {check_id::stop_cell, 600, 21},        {check_id::speed_board, 1800, 35},
              {check_id::gradient, std::nullopt, 0}, {check_id::signboard, 5000, 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.check) + " " + std::to_string(row.at.value_or(-1)));
    const CheckFinding f{row.at, Severity::warning, row.check, FileRole::track, "m"};
    const auto line = finding_line(f, records);
    EXPECT_EQ(line ? line->second : 0, row.line);
  }
  EXPECT_EQ(cell_of(24), 1);
  EXPECT_EQ(cell_of(25), 2);  // 1.5, half to even: 2
  EXPECT_EQ(cell_of(75), 2);  // 2.5, half to even: 2
}

TEST(CompileCheckTest, EveryRecordCheckHasItsPageAndIsOneToSilence) {
  for (const char* id :
       {record_check_id::overlap, record_check_id::clock_late, record_check_id::section_long,
        record_check_id::slowdown_above_limit, record_check_id::train_empty}) {
    SCOPED_TRACE(id);
    ASSERT_NE(find_check_page(id), nullptr);
    EXPECT_TRUE(check_page_text(*find_check_page(id)).starts_with(std::string(id) + " ("));
    EXPECT_TRUE(is_check_id(id));
  }
  EXPECT_TRUE(is_check_id(check_id::curve_speed));
  EXPECT_FALSE(is_check_id("rounded"));
}

TEST(CompileCheckTest, ATrainSourceThatGaveNothingIsAnErrorAndWritesNothing) {
  MemoryFileSystem fs;
  fs.put("/s/R_linea.txt", "inizio_dati\r\n[generale]\r\nlunghezza percorso, 5000\r\n[fine]\r\n");
  fs.put("/s/R_1-.txt", "inizio_dati\r\n[generale]\r\nnumero vetture, 4\r\n[fine]\r\n");
  CompileOptions o;
  o.line_source = "/s/R_linea.txt";
  o.train_source = "/s/R_1-.txt";
  o.out_dir = "/o";
  o.check = true;
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(run_compile(o, fs, out, err), 2);
  EXPECT_NE(err.str().find("/s/R_1-.txt: error: the train source gave no station and no speed"),
            std::string::npos)
      << err.str();
  EXPECT_EQ(fs.kind_of("/o/R_1.dat"), PathKind::missing);
  o.check = false;
  std::ostringstream quiet;
  EXPECT_EQ(run_compile(o, fs, out, quiet), 0) << quiet.str();
}

}  // namespace
}  // namespace scenario::tool
