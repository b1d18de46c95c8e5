// `check` on scenarios compiled in memory by the project's compiler: one crafted scenario per
// check with every finding it must give and no other, the exit statuses, and the built-in
// scenario, whose findings the README explains one by one.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "platform/memory_file_system.h"
#include "platform/paths.h"
#include "scenario_tool/check/finding.h"
#include "scenario_tool/scenario/json.h"
#include "scenario_tool/verbs/verbs.h"
#include "support/compile_in_memory.h"
#include "support/sources.h"
#include "support/test_support.h"
#include "support/verb_run.h"

namespace scenario::tool {
namespace {

using testing::Lines;

using scenario::testing::run_verb;
using scenario::testing::VerbRun;

// Compiles a 20 km line with the records given into /o; the compile itself must be clean.
void compile_crafted(MemoryFileSystem& fs, const Lines& line, const Lines& train) {
  const Lines line_general{"Linea", "inizio_dati", "[generale]", "lunghezza percorso, 20000",
                           "[tracciato]"};
  const Lines train_general{"Treno",
                            "inizio_dati",
                            "[generale]",
                            "numero vetture, 6",
                            "percentuale massa frenata, 120",
                            "sabbia, 0",
                            "orologio, 8 0 0",
                            "aderenza, 0, 100"};
  const VerbRun compiled =
      testing::compile_in_memory(fs, {"/s/R_linea.txt", testing::source_text(line_general, line)},
                                 {"/s/R_1-.txt", testing::source_text(train_general, train)}, "/o");
  ASSERT_EQ(compiled.status, exit_code::clean) << compiled.err;
}

std::string station(int pos, int length, int h, int m, const char* name) {
  return "stazione, " + std::to_string(pos) + ", 2, " + std::to_string(length) +
         ", 0, 0, 0, 1, 1, 0, 3, 1, 1, 40, " + std::to_string(h) + ", " + std::to_string(m) +
         ", 0, " + name;
}

struct Expected {
  const char* check;
  const char* severity;
  Json position_m;  // null: no place on the line
};

struct Case {
  const char* what;
  Lines line;
  Lines train;
  std::vector<Expected> findings;  // all of them, in order
  int status;
  const char* message_holds;  // in the first finding's message
};

TEST(CheckTest, EachCheckFindsWhatItMustAndNothingElse) {
  const std::string at100 = "velocita' limite, 0, 100";
  const Case cases[] = {
      {"a class 6 curve under a 160 km/h limit",
       {"curvad6, 5000, 200"},
       {"velocita' limite, 0, 160"},
       {{"curve-speed", "warning", 5000}},
       exit_code::clean,
       "curve of class 6 (radius 333 m) from km 5.000 to km 5.200 under a line speed limit of 160 "
       "km/h; cant 160 mm and cant deficiency 100 mm allow 86 km/h"},
      {"a class 3 curve allows 234 km/h",
       {"curvas3, 5000, 400"},
       {"velocita' limite, 0, 160"},
       {},
       exit_code::clean,
       ""},
      {"a gradient of 40 per mille; 35 is allowed",
       {"pendenza, 3000, 40", "pendenza, 4000, 0", "pendenza, 6000, -35", "pendenza, 7000, 0"},
       {at100},
       {{"gradient", "warning", 3000}},
       exit_code::clean,
       "gradient of 40 per mille from km 3.000 to km 4.000, steeper than 35 per mille"},
      {"10 km at 100 km/h scheduled in one minute",
       {},
       {at100, station(2000, 400, 8, 0, "ALFA"), station(12000, 400, 8, 1, "BETA")},
       {{"timetable-lower-bound", "error", 12150}},
       exit_code::recorded_code,
       "ALFA to BETA: 10.000 km scheduled in 1:00, but at the speed limits they take at least "
       "6:00"},
      {"10 km at 100 km/h in 6:30, more than the bound but less than the estimate",
       {},
       {at100, station(2000, 400, 8, 0, "ALFA"),
        "stazione, 12000, 2, 400, 0, 0, 0, 1, 1, 0, 3, 1, 1, 40, 8, 6, 30, BETA"},
       {{"timetable-estimate", "warning", 12150}},
       exit_code::clean,
       // 10000 / 27.78 + 27.78 / (2 × 0.4) + 27.78 / (2 × 0.6 × 120 %) = 360 + 34.72 + 19.29 s.
       "less than the 6:54 estimated with acceleration 0.4 and braking 0.6 m/s2"},
      {"10 km at 100 km/h in 8 minutes, and a slowdown that takes one of them",
       {},
       {at100, station(2000, 400, 8, 0, "ALFA"), station(12000, 400, 8, 8, "BETA"),
        "rallentamento, 6000, 10, 100, 1, 1, 0"},
       {{"timetable-estimate", "warning", 12150}},
       exit_code::clean,
       "ALFA to BETA: 10.000 km scheduled in 8:00, less than the 8:26"},
      {"8 minutes past midnight: the times rise",
       {},
       {at100, station(2000, 400, 23, 59, "ALFA"), station(12000, 400, 0, 7, "BETA")},
       {},
       exit_code::clean,
       ""},
      {"times that fall",
       {},
       {at100, station(2000, 400, 8, 10, "ALFA"), station(12000, 400, 8, 5, "BETA")},
       {{"timetable-order", "error", 12150}},
       exit_code::recorded_code,
       "the time at BETA (08:05:00) does not come after the time at ALFA (08:10:00)"},
      {"a speed board that disagrees, and one that agrees",
       {"indicatori_vmax, 5000, 120, 130, 135, 0, 0, 0, 0, 0",
        "indicatori_vmax, 8000, 90, 100, 110, 0, 0, 0, 0, 0"},
       {at100},
       {{"speed-board", "warning", 5050}},
       exit_code::clean,
       "speed board of a 120/0, b 130/0, c 135/0 km/h (left/right) shows none of the line speed "
       "limits in force after it (100 km/h at the board)"},
      {"a station of no length: its stop cell lies before its zone",
       {},
       {at100, station(5000, 0, 0, 0, "ZERO")},
       {{"stop-cell", "warning", 4950}},
       exit_code::clean,
       "stop cell 99 of ZERO (entry 1) covers km 4.950 to km 5.000, outside its zone km 5.000 to "
       "km 5.000"},
      {"a sign whose cell a station's stop cell took",
       {"cartello indicatore, 10100, (Km.) (10.1)"},
       {at100, station(10000, 400, 0, 0, "DELTA")},
       {{"signboard", "warning", nullptr}},
       exit_code::clean,
       "table entry 80 holds the sign text \"(Km.) (10.1)\", but no signboard cell refers to it"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MemoryFileSystem fs;
    compile_crafted(fs, c.line, c.train);
    CheckOptions o;
    o.paths = {"/o"};
    o.json = true;
    const VerbRun checked = run_verb(run_check, o, fs);
    EXPECT_EQ(checked.status, c.status) << checked.err;
    const Json report = Json::parse(checked.out);
    const Json& findings = report.at("findings");
    ASSERT_EQ(findings.size(), c.findings.size()) << findings.dump(2);
    for (std::size_t i = 0; i < findings.size(); ++i) {
      EXPECT_EQ(findings[i].at("check"), c.findings[i].check);
      EXPECT_EQ(findings[i].at("severity"), c.findings[i].severity);
      EXPECT_EQ(findings[i].at("position_m"), c.findings[i].position_m);
    }
    if (!findings.empty()) {
      EXPECT_NE(findings[0].at("message").get<std::string>().find(c.message_holds),
                std::string::npos)
          << findings[0].at("message");
    }
  }
}

class CheckStatus : public ::testing::Test {
 protected:
  void SetUp() override {
    compile_crafted(fs_, {"curvad6, 5000, 200"},
                    {"velocita' limite, 0, 160", station(2000, 400, 8, 0, "ALFA"),
                     station(12000, 400, 8, 20, "BETA")});
  }
  VerbRun check(CheckOptions o) {
    if (o.paths.empty()) o.paths = {"/o"};
    return run_verb(run_check, o, fs_);
  }
  MemoryFileSystem fs_;
};

TEST_F(CheckStatus, TextLinesThenTimetableThenSummaryAndTheStatusOfEachCase) {
  CheckOptions o;
  o.timetable = true;
  const VerbRun r = check(o);
  EXPECT_EQ(r.status, exit_code::clean) << r.err;
  // The folder is joined as the platform joins it: compare from the file's name on.
  const std::string first_line = r.out.substr(0, r.out.find('\n'));
  EXPECT_TRUE(first_line.ends_with(
      "R_linea.dat: warning: at km 5.000: curve of class 6 (radius 333 m) from km 5.000 to km "
      "5.200 "
      "under a line speed limit of 160 km/h; cant 160 mm and cant deficiency 100 mm allow 86 km/h"))
      << first_line;
  EXPECT_NE(r.out.find("Timetable\n"), std::string::npos);
  EXPECT_NE(r.out.find("ALFA - BETA"), std::string::npos);
  EXPECT_TRUE(r.out.ends_with("0 error(s), 1 warning(s)\n")) << r.out;

  o.werror = true;
  EXPECT_EQ(check(o).status, exit_code::recorded_code);
  // -W no-ID leaves that check's findings out, text and status alike; another check's id leaves
  // the curve's warning in; an id that is no check is wrong usage.
  o.warning_flags = {"no-curve-speed"};
  const VerbRun silenced = check(o);
  EXPECT_EQ(silenced.status, exit_code::clean) << silenced.out;
  EXPECT_TRUE(silenced.out.ends_with("0 error(s), 0 warning(s)\n")) << silenced.out;
  o.warning_flags = {"no-gradient"};
  EXPECT_EQ(check(o).status, exit_code::recorded_code);
  o.warning_flags = {"no-curve"};
  const VerbRun unknown = check(o);
  EXPECT_EQ(unknown.status, exit_code::usage);
  EXPECT_TRUE(unknown.err.starts_with("scenario_tool: error: -W no-curve: not a check"))
      << unknown.err;
  o.warning_flags.clear();
  // 900 mm of cant, which no real track has, would let the curve take 168 km/h.
  o.parameters.cant_mm = 900;
  EXPECT_EQ(check(o).status, exit_code::clean);

  CheckOptions bad;
  bad.parameters.accel_m_s2 = 0;
  const VerbRun refused = check(bad);
  EXPECT_EQ(refused.status, exit_code::usage);
  EXPECT_EQ(refused.err, "scenario_tool: error: --accel must be above 0\n");

  CheckOptions missing;
  missing.paths = {"/nowhere"};
  EXPECT_EQ(check(missing).status, exit_code::io_failure);

  // Not a whole number of cells (the tool joins the folder with the platform's separator).
  fs_.put(join_path("/o", "R_1.dat"), std::string(16, 'x'));
  const VerbRun damaged = check({});
  EXPECT_EQ(damaged.status, exit_code::damaged_file);
  EXPECT_NE(damaged.err.find("check: not checked: every check: no track file"), std::string::npos);
}

TEST_F(CheckStatus, JsonCarriesTheParametersTheTimetableAndTheSummary) {
  CheckOptions o;
  o.json = true;
  o.parameters.decel_m_s2 = 0.5;
  const Json j = Json::parse(check(o).out);
  EXPECT_EQ(j.at("version"), 1);
  EXPECT_EQ(j.at("parameters").at("decel_m_s2"), 0.5);
  ASSERT_EQ(j.at("timetable").size(), 1u);
  const Json& s = j.at("timetable")[0];
  EXPECT_EQ(s.at("from").at("name"), "ALFA");
  EXPECT_EQ(s.at("to").at("position_m"), 12150);
  EXPECT_EQ(s.at("distance_m"), 10000);
  EXPECT_EQ(s.at("scheduled_s"), 1200);
  // 10 km at 160 km/h.
  EXPECT_DOUBLE_EQ(s.at("lower_bound_s").get<double>(), 225.0);
  EXPECT_GT(s.at("estimate_s").get<double>(), 225.0);
  EXPECT_DOUBLE_EQ(s.at("margin_s").get<double>(), 1200 - s.at("estimate_s").get<double>());
  EXPECT_EQ(j.at("summary"), (Json{{"errors", 0}, {"warnings", 1}}));
}

std::string the_readme() {
  const auto root =
      std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path();
  return testing::read_file(root / "README.md");
}

TEST(CheckBuiltIn, EveryFindingOfTheBuiltInScenarioIsInTheReadme) {
  MemoryFileSystem fs;
  ASSERT_EQ(testing::compile_builtin_in_memory(fs, "/s", "/o").status, exit_code::clean);
  CheckOptions o;
  o.paths = {"/o"};
  const VerbRun r = run_verb(run_check, o, fs);
  EXPECT_EQ(r.err, "");
  const std::string readme = the_readme();
  std::istringstream lines(r.out);
  int findings = 0;
  for (std::string line; std::getline(lines, line);) {
    const auto at = line.find(": warning: ") != std::string::npos ? line.find(": warning: ")
                                                                  : line.find(": error: ");
    if (at == std::string::npos) {
      EXPECT_NE(readme.find(line), std::string::npos) << "summary not in the README: " << line;
      continue;
    }
    ++findings;
    // The file's folder is the README's own; the rest of the line must stand there as it is.
    EXPECT_NE(readme.find(line.substr(at)), std::string::npos)
        << "finding not in the README: " << line;
  }
  EXPECT_GT(findings, 0);
}

// Given with --sources, or found beside the compiled files, the sources put each finding on the
// line of its record, the km kept; without them the findings are as before.
TEST(CheckTest, TheSourcesPutEachFindingOnItsRecordsLine) {
  MemoryFileSystem fs;
  compile_crafted(fs, {"curvad6, 5000, 200"},
                  {"velocita' limite, 0, 160", station(2000, 400, 8, 0, "ALFA"),
                   station(12000, 400, 8, 1, "BETA")});
  // The compiled files and the sources found beside them are named as the tool joins them to
  // the folder ("\\" on Windows); the sources given keep the names they were given by.
  const std::string line_file = join_path("/o", "R_linea.dat");
  const std::string train_file = join_path("/o", "R_1.sim");
  CheckOptions o;
  o.paths = {"/o"};
  const VerbRun plain = run_verb(run_check, o, fs);
  EXPECT_TRUE(plain.out.starts_with(line_file + ": warning: at ")) << plain.out;
  o.sources = {"/s/R_linea.txt", "/s/R_1-.txt"};
  const VerbRun given = run_verb(run_check, o, fs);
  std::vector<std::string> lines;
  std::istringstream text(given.out);
  for (std::string l; std::getline(text, l);) lines.push_back(l);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_TRUE(lines[0].starts_with("/s/R_linea.txt:6: " + line_file + ": warning: at km 5.000: "))
      << given.out;
  EXPECT_TRUE(lines[1].starts_with("/s/R_1-.txt:11: " + train_file + ": error: at km 12.150: "))
      << given.out;
  EXPECT_EQ(given.status, plain.status);
  // Beside the compiled files, found without being named.
  std::string bytes;
  std::string reason;
  for (const char* name : {"R_linea.txt", "R_1-.txt"}) {
    ASSERT_TRUE(fs.read(std::string("/s/") + name, &bytes, &reason));
    fs.put(std::string("/o/") + name, bytes);
  }
  o.sources.clear();
  const VerbRun beside = run_verb(run_check, o, fs);
  EXPECT_TRUE(beside.out.starts_with(join_path("/o", "R_linea.txt") + ":6: " + line_file))
      << beside.out;
  o.json = true;
  const Json json = Json::parse(run_verb(run_check, o, fs).out);
  EXPECT_EQ(json.at("findings").at(1).at("file"), join_path("/o", "R_1-.txt"));
  EXPECT_EQ(json.at("findings").at(1).at("line"), 11);
}

}  // namespace
}  // namespace scenario::tool
