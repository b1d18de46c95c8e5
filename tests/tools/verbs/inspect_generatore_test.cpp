// `inspect` on the files the real generator writes for the built-in scenario.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "scenario_tool/scenario/position_text.h"
#include "scenario_tool/verbs/verbs.h"
#include "support/test_support.h"

namespace scenario::tool {
namespace {

using ::testing::HasSubstr;
using testing::run_command;
using testing::shell_quote;
using testing::TempDir;

struct Station {
  const char* name;
  int type;
  int position;
  const char* time;
};

// The sixteen stations of the train source, with their timetable times.
const std::vector<Station> kStations{
    {"VALDORA S.T.V.", 8, 0, "19:05:00"},     {"VALDORA CORVELI", 2, 2750, "19:11:00"},
    {"VALDORA PRASINE", 4, 7400, "00:00:00"}, {"S.FELDINO", 28, 11950, "00:00:00"},
    {"MERVA", 12, 15900, "19:23:00"},         {"FONTEGRAVO", 28, 19150, "00:00:00"},
    {"SASSOLEGO", 22, 27550, "19:33:00"},     {"ORVENA", 4, 33800, "19:40:00"},
    {"S.CORSIGO", 22, 43400, "19:47:00"},     {"S.TEBALO", 22, 49300, "19:53:00"},
    {"LA BRISA", 28, 56800, "00:00:00"},      {"MARZELONE", 4, 61400, "20:03:00"},
    {"PERLADA", 22, 68300, "20:10:00"},       {"S.BALDIERO", 28, 70650, "00:00:00"},
    {"CORNETOLA", 22, 73200, "00:00:00"},     {"LUSA C.le", 2, 80850, "20:22:00"}};

// Runs the generator once, in a folder of its own, for every test of the suite.
class InspectGeneratore : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    ASSERT_TRUE(std::filesystem::exists(GENERATORE_PATH)) << "build generatore first";
    std::filesystem::copy_file(GENERATORE_PATH, dir_->path() / "generatore");
    const auto r =
        run_command("cd " + shell_quote(dir_->str()) + " && env -u DISPLAY ./generatore");
    ASSERT_EQ(r.exit_status, 0) << r.err;
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }

  struct Result {
    int status;
    std::string out;
    std::string err;
  };
  static Result inspect(bool cells, bool json) {
    std::ostringstream out;
    std::ostringstream err;
    RealFileSystem fs;
    const int status = run_inspect(InspectOptions{{dir_->str()}, cells, json}, fs, out, err);
    return {status, out.str(), err.str()};
  }

  static TempDir* dir_;
};

TempDir* InspectGeneratore::dir_ = nullptr;

TEST_F(InspectGeneratore, TheSummaryShowsTheHeaderValuesStationsAndSignboards) {
  const Result r = inspect(false, false);
  EXPECT_EQ(r.status, exit_code::clean);
  EXPECT_EQ(r.err, "");
  EXPECT_THAT(r.out, HasSubstr("Route length       82000 m, 1781 cells (0 to 1780)\n"));
  EXPECT_THAT(
      r.out,
      HasSubstr("Header values      5121 in track cell 1 (ok), 610 in table entry 85 (ok)\n"));
  EXPECT_THAT(r.out, HasSubstr("Competition codes  st 33816 (matches the identifiers); og 2398 "
                               "(matches the identifiers)\n"));
  EXPECT_THAT(r.out, HasSubstr("Stations           16\n"));
  for (const Station& s : kStations) {
    EXPECT_THAT(
        r.out, ::testing::ContainsRegex(std::string("  ") + s.name + " +" + std::to_string(s.type) +
                                        " +" + km_position(s.position) + " .*  " + s.time + "\n"));
  }
  EXPECT_THAT(r.out, HasSubstr("     80  (  Km. ) (18.600)  at cell 372 (km 18.600)\n"));
  EXPECT_THAT(r.out, HasSubstr("     79  (  Km. ) (20.800)  at cell 416 (km 20.800)\n"));
  EXPECT_THAT(r.out,
              HasSubstr("     78  ( Ponte  ) (su fiume) (  Omba  )  at cell 443 (km 22.150)\n"));
}

TEST_F(InspectGeneratore, JsonCarriesTheSameValuesAndTheSlowdownCells) {
  const Result r = inspect(true, true);
  EXPECT_EQ(r.status, exit_code::clean);
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["header"]["track_cell_1"]["value"], 5121);
  EXPECT_EQ(j["header"]["table_entry_85"]["value"], 610);
  EXPECT_EQ(j["competition_codes"]["st"]["match"], true);
  EXPECT_EQ(j["competition_codes"]["og"]["match"], true);
  EXPECT_EQ(j["identifiers"]["route_id"], "Valdora_Lusa");
  EXPECT_EQ(j["identifiers"]["train_number"], "24863");
  EXPECT_EQ(j["code_repetition"]["start_m"], 4650);
  EXPECT_EQ(j["code_repetition"]["end_m"], 79150);
  EXPECT_EQ(j["clock"]["text"], "19:04:30");
  EXPECT_EQ(j["line_geometry"]["metres"], 89001);
  ASSERT_EQ(j["stations"].size(), kStations.size());
  for (std::size_t k = 0; k < kStations.size(); ++k) {
    EXPECT_EQ(j["stations"][k]["name"], kStations[k].name);
    EXPECT_EQ(j["stations"][k]["time"], kStations[k].time);
  }
  ASSERT_EQ(j["signboards"].size(), 3u);
  EXPECT_EQ(j["signboards"][2]["text"], "( Ponte  ) (su fiume) (  Omba  )");

  std::map<int, nlohmann::json> cells;
  for (const auto& c : j["cells"]) cells[c["index"].get<int>()] = c;
  // Each slowdown: start, end and warning with the speed, then the four announce cells.
  struct Slowdown {
    int start, end, warning, speed, f_tt;
  };
  for (const Slowdown& s : {Slowdown{211, 214, 187, 30, 1}, Slowdown{969, 1019, 945, 40, 0},
                            Slowdown{1511, 1515, 1487, 30, 0}}) {
    EXPECT_EQ(cells.at(s.start)["kind_name"], "slowdown_start");
    EXPECT_EQ(cells.at(s.start)["meaning"]["speed_kmh"], s.speed);
    EXPECT_EQ(cells.at(s.start)["meaning"]["f_tt"], s.f_tt);
    EXPECT_EQ(cells.at(s.end)["kind_name"], "slowdown_end");
    EXPECT_EQ(cells.at(s.end)["meaning"]["speed_kmh"], s.speed);
    EXPECT_EQ(cells.at(s.warning)["kind_name"], "slowdown_warning");
    EXPECT_EQ(cells.at(s.warning)["meaning"]["speed_kmh"], s.speed);
    for (int order = 1; order <= 4; ++order) {
      EXPECT_EQ(cells.at(s.warning - order)["meaning"]["order"], order);
    }
  }
  // The code markers of the first slowdown's look-back bands.
  for (int i : {206, 200, 193}) EXPECT_EQ(cells.at(i)["meaning"]["code"], 180);
  EXPECT_EQ(j["cell_counts"]["slowdown_announce"], 12);
  EXPECT_EQ(j["cell_counts"]["signal"], 42);
  EXPECT_EQ(j["cell_counts"]["signboard"], 3);
}

}  // namespace
}  // namespace scenario::tool
