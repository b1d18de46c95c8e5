// `inspect` on a hand-built scenario written by the compiler's writers: what the summary, the
// cell list and the JSON report say, and how missing and damaged files are reported.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "compiler/codice_gara.h"
#include "format/file_writers.h"
#include "platform/faulty_file_system.h"
#include "scenario_tool/verbs/verbs.h"
#include "support/sample_scenario.h"
#include "support/test_support.h"
#include "support/verb_run.h"

namespace scenario::tool {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using namespace scenario::testing;

using ToolRun = VerbRun;

ToolRun inspect(std::vector<std::string> paths, bool cells = false, bool json = false) {
  RealFileSystem fs;
  return run_verb(run_inspect, InspectOptions{std::move(paths), cells, json}, fs);
}

nlohmann::json inspect_json(std::vector<std::string> paths, bool cells = false) {
  const ToolRun r = inspect(std::move(paths), cells, true);
  return nlohmann::json::parse(r.out);
}

class InspectSample : public ::testing::Test {
 protected:
  void SetUp() override { testing::write_sample(sample_, dir_.str()); }
  std::string track() const { return dir_.file(sample_track_name()); }
  std::string table() const { return dir_.file(sample_table_name()); }
  std::string line() const { return dir_.file(sample_line_name()); }

  testing::SampleScenario sample_ = sample_scenario();
  TempDir dir_;
};

// --- the summary ---

TEST_F(InspectSample, TheSummaryOfAFolderTellsWhatTheFilesHold) {
  const ToolRun r = inspect({dir_.str()});
  EXPECT_EQ(r.status, exit_code::clean);
  EXPECT_EQ(r.err, "");
  const std::string st = std::to_string(codice_gara_st(sample_.table));
  const std::string og = std::to_string(codice_gara_og(sample_.table));
  for (const std::string& expected : std::vector<std::string>{
           "track  " + track() + "  4215 bytes",
           "Identifiers        route Valdora_Lusa, train 24863\n",
           "Route length       7000 m, 281 cells (0 to 280)\n",
           "Header values      5121 in track cell 1 (ok), 610 in table entry 85 (ok)\n",
           "Competition codes  st " + st + " (matches the identifiers); og " + og +
               " (matches the identifiers)\n",
           "Kilometre points   81: 1000 2000 0, 82: 0 0 0, 83: 0 0 0\n",
           "Backgrounds        one 1, two 2, three 3\n",
           "Code repetition    km 1.000 to km 6.000, 4 codes\n",
           "Clock              19:04:30\n",
           "Sand               1\n",
           "Braked mass        120 %, 6 coaches\n",
           "Stations           3\n",
           "      1  VALDORA S.T.V.     8    km 0.000     km -0.400 to km 0.400  19:05:00\n",
           "      2  MERVA              2    km 2.000      km 1.700 to km 2.350  19:11:30\n",
           "      3  S.FELDINO         28    km 5.000      km 4.850 to km 5.150  00:00:00\n",
           "Signboards         2\n",
           "     80  (VALDORA) (LUSA)  at cell 31 (km 1.550)\n",
           "     79  Città (è)  at cell 111 (km 5.550)\n",
           "Line geometry      14001 metres, 13999 filled; coordinate 0 from -6499.000 to 0.000, "
           "coordinate 1 from 0.000 to 13998.000\n",
           "Cells by kind      free 257, signal 2, slowdown_end 2, slowdown_start 2, "
           "slowdown_warning 2, slowdown_announce 4, speed_board 2, station_stop 2, "
           "tunnel_marker 2, code_cut 3, code_cut_zero 1, signboard 2\n"}) {
    EXPECT_THAT(r.out, HasSubstr(expected));
  }
  EXPECT_THAT(r.out, Not(HasSubstr("Warning")));
  EXPECT_THAT(r.out, Not(HasSubstr("Cells (")));
}

TEST_F(InspectSample, TheFilesThemselvesGiveTheSameReportInAnyOrder) {
  EXPECT_EQ(inspect({line(), track(), table()}).out, inspect({dir_.str()}).out);
}

TEST_F(InspectSample, CodesAndHeaderValuesThatDoNotMatchAreShownWithWhatWasExpected) {
  sample_.table[85].time_s += 1;
  sample_.table[85].d2a = 611;
  sample_.track[1].value1 = 0;
  testing::write_sample(sample_, dir_.str());
  const ToolRun r = inspect({dir_.str()});
  EXPECT_EQ(r.status, exit_code::clean);
  const std::string st = std::to_string(codice_gara_st(sample_.table));
  EXPECT_THAT(r.out,
              HasSubstr("0 in track cell 1 (expected 5121), 611 in table entry 85 (expected 610)"));
  EXPECT_THAT(r.out, HasSubstr("st " + std::to_string(sample_.table[85].time_s) +
                               " (does NOT match the identifiers: expected " + st + "); og "));
  const auto j = inspect_json({dir_.str()});
  EXPECT_EQ(j["competition_codes"]["st"]["match"], false);
  EXPECT_EQ(j["competition_codes"]["og"]["match"], true);
  EXPECT_EQ(j["header"]["track_cell_1"]["ok"], false);
}

TEST_F(InspectSample, ChangedIdentifiersInTheTableNoLongerMatchTheStoredCodes) {
  sample_.table[86].name = "24864";
  testing::write_sample(sample_, dir_.str());
  const auto j = inspect_json({dir_.str()});
  EXPECT_EQ(j["identifiers"]["train_number"], "24864");
  EXPECT_EQ(j["competition_codes"]["st"]["match"], false);
  EXPECT_EQ(j["competition_codes"]["og"]["match"], false);
  EXPECT_EQ(j["competition_codes"]["og"]["expected"], codice_gara_og(sample_.table));
}

TEST_F(InspectSample, ControlBytesInANameAreShownEscapedInTextAndKeptInJson) {
  sample_.table[80].name = "A\x1B[2JB\n";
  testing::write_sample(sample_, dir_.str());
  const ToolRun r = inspect({dir_.str()});
  EXPECT_THAT(r.out, HasSubstr("     80  A\\x1B[2JB\\x0A  at cell 31 (km 1.550)\n"));
  EXPECT_EQ(inspect_json({dir_.str()})["signboards"][0]["text"], "A\x1B[2JB\n");
}

// --- the cells ---

TEST_F(InspectSample, TheCellListDecodesEveryFeature) {
  const ToolRun r = inspect({dir_.str()}, true);
  EXPECT_EQ(r.status, exit_code::clean);
  for (const std::string& expected : std::vector<std::string>{
           "Cells (24 occupied)\n",
           "       7    km 0.350  station_stop       station entry 1: VALDORA S.T.V.\n",
           "      11    km 0.550  speed_board        a 120/120 km/h, b 100/100 km/h, c 90/90 km/h, "
           "stripes 1/0 (left/right)\n",
           "      21    km 1.050  signal             left sx 2 aspects 2 3 1 rapp 1 | right dx 2 "
           "aspects 2 1 1 | time 190\n",
           "      31    km 1.550  signboard          sign entry 80: (VALDORA) (LUSA)\n",
           "      33    km 1.650  slowdown_announce  order 4, d_v order 0\n",
           "      36    km 1.800  slowdown_announce  order 1, d_v order 0\n",
           "      37    km 1.850  slowdown_warning   speed 30 km/h, d_v 0\n",
           "      43    km 2.150  code_cut           code 180\n",
           "      61    km 3.050  slowdown_start     speed 30 km/h, d_v 0, f_tt 1\n",
           "      64    km 3.200  slowdown_end       speed 30 km/h, d_v 0, f_tt 1\n",
           "      81    km 4.050  signal             left sx 1 aspects 3 4 0 rapp 0 | right dx 0 "
           "aspects 0 0 0 | time 0\n",
           "      91    km 4.550  speed_board        a 115/0 km/h, b 0/0 km/h, c 0/0 km/h, "
           "stripes 0/0 (left/right)\n",
           "      97    km 4.850  slowdown_warning   speed 40 km/h, d_v 5\n",
           "     103    km 5.150  tunnel_marker\n",
           "     111    km 5.550  signboard          sign entry 79: Città (è)\n",
           "     121    km 6.050  slowdown_start     speed 40 km/h, d_v 5, f_tt 0\n",
           "     150    km 7.500  code_cut_zero      code below 1\n",
           "  gradient (4)\n"
           "    cells     0 to     5  (  km 0.000 to   km 0.300)  0\n"
           "    cells     6 to    39  (  km 0.300 to   km 2.000)  4\n"
           "    cells    40 to   277  (  km 2.000 to  km 13.900)  -2\n"
           "    cells   278 to   280  ( km 13.900 to  km 14.050)  not set\n",
           "  speed_limit_kmh (3)\n"
           "    cells     0 to     9  (  km 0.000 to   km 0.500)  30\n"
           "    cells    10 to   277  (  km 0.500 to  km 13.900)  115\n",
           "  adhesion (3)\n",
           "    cells   200 to   277  ( km 10.000 to  km 13.900)  70\n",
           "  tunnel_type (3)\n"
           "    cells     0 to    99  (  km 0.000 to   km 5.000)  0\n"
           "    cells   100 to   109  (  km 5.000 to   km 5.500)  2\n",
           "Approach codes (16)\n       3    km 0.150  84\n",
           "      13    km 0.650  84\n      15    km 0.750  83\n"}) {
    EXPECT_THAT(r.out, HasSubstr(expected));
  }
  EXPECT_THAT(r.out, Not(HasSubstr("       1    km 0.050  ")));  // the header cell is not a feature
}

// --- JSON ---

TEST_F(InspectSample, JsonCarriesTheSummary) {
  const ToolRun r = inspect({dir_.str()}, false, true);
  EXPECT_EQ(r.status, exit_code::clean);
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["version"], 2);
  EXPECT_EQ(j["files"]["table"]["status"], "ok");
  EXPECT_EQ(j["files"]["track"]["bytes"], 281 * 15);
  EXPECT_EQ(j["route"]["length_m"], 7000);
  EXPECT_EQ(j["route"]["cell_count"], 281);
  EXPECT_EQ(j["header"]["track_cell_1"]["value"], 5121);
  EXPECT_EQ(j["header"]["table_entry_85"]["value"], 610);
  EXPECT_EQ(j["competition_codes"]["st"]["stored"], codice_gara_st(sample_.table));
  EXPECT_EQ(j["competition_codes"]["og"]["stored"], codice_gara_og(sample_.table));
  EXPECT_EQ(j["competition_codes"]["st"]["match"], true);
  EXPECT_EQ(j["clock"]["text"], "19:04:30");
  EXPECT_EQ(j["train"]["coaches"], 6);
  ASSERT_EQ(j["stations"].size(), 3u);
  EXPECT_EQ(j["stations"][1]["name"], "MERVA");
  EXPECT_EQ(j["stations"][1]["time"], "19:11:30");
  EXPECT_EQ(j["stations"][1]["zone_end_m"], 2350);
  EXPECT_EQ(j["stations"][1]["stop_cell"], 46);
  EXPECT_EQ(j["stations"][1]["mar"], 1);
  EXPECT_TRUE(j["stations"][2]["stop_cell"].is_null());
  ASSERT_EQ(j["signboards"].size(), 2u);
  EXPECT_EQ(j["signboards"][1]["text"], "Città (è)");
  EXPECT_EQ(j["signboards"][1]["cell"], 111);
  EXPECT_EQ(j["line_geometry"]["metres_filled"], 13999);
  EXPECT_EQ(j["line_geometry"]["coordinate_0"]["min"], -6499.0);
  EXPECT_EQ(j["cell_counts"]["slowdown_announce"], 4);
  EXPECT_EQ(j["warnings"], nlohmann::json::array());
  EXPECT_FALSE(j.contains("cells"));
}

TEST_F(InspectSample, JsonCellsCarryRawValuesAndTheirMeaning) {
  const auto j = inspect_json({dir_.str()}, true);
  std::map<int, nlohmann::json> by_index;
  for (const auto& c : j["cells"]) by_index[c["index"].get<int>()] = c;
  ASSERT_EQ(by_index.size(), 24u);
  const auto& signal = by_index.at(21);
  EXPECT_EQ(signal["kind"], 1);
  EXPECT_EQ(signal["metres"], 1050);
  EXPECT_EQ(signal["raw"]["value4"], 18);
  EXPECT_EQ(signal["meaning"]["left"]["sx"], 2);
  EXPECT_EQ(signal["meaning"]["left"]["aspects"], nlohmann::json({2, 3, 1}));
  EXPECT_EQ(signal["meaning"]["left"]["rapp"], 1);
  EXPECT_EQ(signal["meaning"]["right"]["dx"], 2);
  EXPECT_EQ(signal["meaning"]["right"]["aspects"], nlohmann::json({2, 1, 1}));
  EXPECT_EQ(signal["meaning"]["signal_time"], 190);
  const auto& board = by_index.at(11)["meaning"];
  EXPECT_EQ(board["a"]["left_kmh"], 120);
  EXPECT_EQ(board["b"]["right_kmh"], 100);
  EXPECT_EQ(board["c"]["left_kmh"], 90);
  EXPECT_EQ(board["stripes"]["left"], 1);
  EXPECT_EQ(by_index.at(121)["meaning"],
            nlohmann::json({{"speed_kmh", 40}, {"d_v", 5}, {"f_tt", 0}}));
  EXPECT_EQ(by_index.at(34)["meaning"], nlohmann::json({{"order", 3}, {"d_v_order", 0}}));
  EXPECT_EQ(by_index.at(46)["meaning"]["station"], "MERVA");
  EXPECT_EQ(by_index.at(111)["meaning"]["text"], "Città (è)");
  EXPECT_EQ(by_index.at(56)["meaning"]["code"], 180);
  EXPECT_EQ(j["stretches"]["gradient"][3]["value"], nullptr);
  EXPECT_EQ(j["stretches"]["adhesion"][1]["value"], 70);
  EXPECT_EQ(j["approach_codes"].size(), 16u);
  EXPECT_EQ(j["approach_codes"][0], nlohmann::json({{"cell", 3}, {"metres", 150}, {"code", 84}}));
}

// --- missing, unreadable and damaged files ---

TEST_F(InspectSample, AFolderWithoutLineFileIsNormalAndSaysSo) {
  std::filesystem::remove(line());
  const ToolRun r = inspect({dir_.str()});
  EXPECT_EQ(r.status, exit_code::clean);
  EXPECT_EQ(r.err, "");
  EXPECT_THAT(r.out, HasSubstr("line   " + line() +
                               "  not found (a scenario compiled without line geometry has none)"));
  EXPECT_THAT(r.out, HasSubstr("Line geometry      n/a\n"));
  const auto j = inspect_json({dir_.str()});
  EXPECT_EQ(j["files"]["line"]["status"], "missing");
  EXPECT_TRUE(j["line_geometry"].is_null());
}

TEST_F(InspectSample, AMissingTrackFileIsNamedAndTheTableIsStillShown) {
  std::filesystem::remove(track());
  const ToolRun r = inspect({dir_.str()});
  EXPECT_EQ(r.status, exit_code::io_failure);
  EXPECT_EQ(r.err, "scenario_tool: error: inspect: cannot find the track file " + track() + "\n");
  EXPECT_THAT(r.out, HasSubstr("MERVA"));
  EXPECT_THAT(r.out, HasSubstr("Route length       7000 m, n/a cells\n"));
  EXPECT_THAT(r.out, HasSubstr("og n/a"));
}

TEST_F(InspectSample, ATrackFileAloneCannotCheckItsCode) {
  const ToolRun r = inspect({track()});
  EXPECT_EQ(r.status, exit_code::clean);
  EXPECT_THAT(r.out, HasSubstr("st n/a; og " + std::to_string(codice_gara_og(sample_.table)) +
                               " (not checked: no table)"));
  EXPECT_THAT(r.out, HasSubstr("table  -  not given"));
  EXPECT_THAT(r.out, HasSubstr("Table              n/a (no table file decoded)\n"));
}

TEST_F(InspectSample, AFileThatCannotBeReadGivesTheIoStatus) {
  RealFileSystem disk;
  FaultyFileSystem fs(disk);
  fs.fail_kind = "read";
  fs.fail_at = 2;  // the table file, read after the track file
  std::ostringstream out;
  std::ostringstream err;
  const int status = run_inspect(InspectOptions{{dir_.str()}, false, false}, fs, out, err);
  EXPECT_EQ(status, exit_code::io_failure);
  EXPECT_EQ(err.str(),
            "scenario_tool: error: inspect: cannot read " + table() + ": injected failure\n");
  EXPECT_THAT(out.str(), HasSubstr("unreadable: injected failure"));
}

TEST_F(InspectSample, DamagedFilesOfEachKindGiveTheFileTheOffsetAndTheDamagedStatus) {
  const std::string good_track = read_file(track());
  const std::string good_table = read_file(table());
  const std::string good_line = read_file(line());
  struct Case {
    std::string path;
    std::string bytes;
    std::string message;
  };
  // Entry 79 ("Città (è)", 9 bytes) now claims 0x1009 bytes, far more than are left.
  const std::size_t e79 = testing::table_entry_offset(good_table, 79);
  const std::size_t e20 = testing::table_entry_offset(good_table, 20);
  std::string bad_name = good_table;
  bad_name[e79 + 15] = '\x10';
  std::string bad_tag = good_line;
  bad_tag[4] = 9;
  const std::vector<Case> cases{
      {track(), good_track.substr(0, 15 * 100 + 4),
       "damaged track file at byte 1500: the file holds 1504 bytes, not a multiple of the "
       "15-byte cell record: cell 100 is cut short after 4 bytes"},
      {table(), good_table.substr(0, 500),
       "damaged table file at byte 500: entry 13 (from byte 470) is cut short: the file ends "
       "inside its field `time_s` (4 bytes, 0 left)"},
      {table(), good_table.substr(0, e20),
       "damaged table file at byte " + std::to_string(e20) +
           ": the file ends after 20 entries: a table holds exactly 87"},
      {table(), bad_name,
       "damaged table file at byte " + std::to_string(e79 + 16) + ": entry 79 (from byte " +
           std::to_string(e79) + ") has a name of 4105 bytes that runs past the end"},
      {line(), bad_tag, "damaged line file at byte 4: value 1 (at byte 4) has the bad tag 9"},
      {line(), good_line + std::string(2, '\0'),
       "damaged line file at byte " + std::to_string(good_line.size() + 2) +
           ": the file holds 28003 values, an odd number"},
  };
  for (const auto& c : cases) {
    testing::write_sample(sample_, dir_.str());
    write_file(c.path, c.bytes);
    const ToolRun r = inspect({dir_.str()});
    EXPECT_EQ(r.status, exit_code::damaged_file) << c.message;
    EXPECT_THAT(r.err, HasSubstr("scenario_tool: error: inspect: " + c.path + ": " + c.message));
    // The other files are still shown.
    EXPECT_THAT(r.out, HasSubstr("damaged at byte"));
    const auto j = inspect_json({dir_.str()});
    bool found = false;
    for (const auto& [role, f] : j["files"].items()) {
      if (f["status"] == "damaged") {
        found = true;
        EXPECT_EQ(f["path"], c.path);
        EXPECT_TRUE(f["error"]["offset"].is_number());
      }
    }
    EXPECT_TRUE(found) << c.message;
  }
}

TEST_F(InspectSample, ADamagedFileOutweighsAMissingOne) {
  std::filesystem::remove(track());
  write_file(table(), "x");
  EXPECT_EQ(inspect({dir_.str()}).status, exit_code::damaged_file);
}

TEST_F(InspectSample, FilesCutAtARecordBoundaryDisagreeWithTheTableAndAreWarnedAbout) {
  write_file(track(), read_file(track()).substr(0, 15 * 200));
  const std::string line_bytes = read_file(line());
  write_file(line(), line_bytes.substr(0, line_bytes.size() - 4));  // the last two empty values
  const ToolRun r = inspect({dir_.str()}, false, false);
  EXPECT_EQ(r.status, exit_code::clean);
  EXPECT_THAT(r.err, HasSubstr("inspect: warning: the track file holds 200 cells, but the route "
                               "length 7000 m of the table calls for 281\n"));
  EXPECT_THAT(r.err, HasSubstr("inspect: warning: the line file holds 14000 metres, but the route "
                               "length 7000 m of the table calls for 14001\n"));
  EXPECT_THAT(r.err, HasSubstr("the line file does not begin with the integer rows"));
  EXPECT_EQ(inspect_json({dir_.str()})["warnings"].size(), 3u);
}

// --- finding the files ---

TEST(InspectPaths, WrongPathsAreUsageOrIoFailuresWithAClearMessage) {
  TempDir dir;
  const auto s = sample_scenario();
  testing::write_sample(s, dir.str());
  write_file(dir.path() / "Other_1.sim", write_table_file(s.table));
  ToolRun r = inspect({dir.str()});
  EXPECT_EQ(r.status, exit_code::usage);
  EXPECT_EQ(r.err, "scenario_tool: error: inspect: several scenarios in " + dir.str() +
                       " (Other_1, Valdora_Lusa_24863): name the files to inspect instead\n");

  write_file(dir.path() / "notes.txt", "");
  r = inspect({dir.file("notes.txt")});
  EXPECT_EQ(r.status, exit_code::usage);
  EXPECT_THAT(r.err, HasSubstr("cannot tell which file"));

  r = inspect({dir.file("Other_1.sim"), dir.file(sample_table_name())});
  EXPECT_EQ(r.status, exit_code::usage);
  EXPECT_THAT(r.err, HasSubstr("two table files given"));

  r = inspect({dir.file("Missing_2.dat")});
  EXPECT_EQ(r.status, exit_code::io_failure);
  EXPECT_EQ(r.err, "scenario_tool: error: inspect: cannot find the track file " +
                       dir.file("Missing_2.dat") + "\n");

  TempDir empty;
  r = inspect({empty.str()});
  EXPECT_EQ(r.status, exit_code::io_failure);
  EXPECT_THAT(r.err, HasSubstr("no compiled scenario in " + empty.str()));

  r = inspect({empty.file("nowhere")});
  EXPECT_EQ(r.status, exit_code::io_failure);
  EXPECT_EQ(r.err,
            "scenario_tool: error: inspect: no file or folder " + empty.file("nowhere") + "\n");
}

TEST(InspectPaths, AFolderNameThatIsNotUtf8StillGivesValidJson) {
  TempDir parent;
  const std::string dir = parent.file("bad\xFFname");
  std::filesystem::create_directory(dir);
  testing::write_sample(sample_scenario(), dir);
  const ToolRun r = inspect({dir}, false, true);
  EXPECT_EQ(r.status, exit_code::clean);
  EXPECT_EQ(nlohmann::json::parse(r.out)["files"]["track"]["status"], "ok");
}

TEST(InspectPaths, ARouteIdWithUnderscoresFindsItsLineFileAtTheLastUnderscore) {
  TempDir dir;
  const auto s = sample_scenario();
  write_file(dir.path() / "A_b_c_77.dat", write_track_file(s.track));
  write_file(dir.path() / "A_b_c_77.sim", write_table_file(s.table));
  write_file(dir.path() / "A_b_c_linea.dat", write_line_file(s.line));
  const auto j = inspect_json({dir.str()});
  EXPECT_EQ(j["files"]["line"]["path"], dir.file("A_b_c_linea.dat"));
  EXPECT_EQ(j["files"]["line"]["status"], "ok");
}

}  // namespace
}  // namespace scenario::tool
