#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "compiler/compile_sources.h"
#include "run/form1.h"
#include "scenario_tool/verbs/verbs.h"
#include "support/test_support.h"
#include "support/verb_run.h"

namespace scenario::tool {
namespace {

using namespace scenario::testing;

using Outcome = VerbRun;

Outcome compile(const CompileOptions& o) {
  RealFileSystem fs;
  return run_verb(run_compile, o, fs);
}

// The built-in sources from `template`, and a folder for the compiled files.
class CompileVerbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ostringstream out;
    std::ostringstream err;
    RealFileSystem fs;
    ASSERT_EQ(run_template(TemplateOptions{sources_.str()}, fs, out, err), exit_code::clean);
    line_ = sources_.file("Valdora_Lusa_linea.txt");
    train_ = sources_.file("Valdora_Lusa_24863-.txt");
  }

  CompileOptions options() const {
    CompileOptions o;
    o.line_source = line_;
    o.train_source = train_;
    o.out_dir = output_.str();
    return o;
  }

  // Replaces `from` by `to` in the built-in source at `path`.
  static void edit(const std::string& path, const std::string& from, const std::string& to) {
    std::string text = read_file(path);
    const auto at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    write_file(path, text);
  }

  // The 1-based line of `text` in the source at `path`.
  static int line_of(const std::string& path, const std::string& text) {
    const std::string all = read_file(path);
    const auto at = all.find(text);
    EXPECT_NE(at, std::string::npos) << text;
    return 1 + static_cast<int>(std::count(all.begin(), all.begin() + static_cast<long>(at), '\n'));
  }

  TempDir sources_;
  TempDir output_;
  std::string line_;
  std::string train_;
};

TEST_F(CompileVerbTest, TemplateThenCompileGivesTheGeneratorsFilesByteForByte) {
  const std::string line_before = read_file(line_);
  const std::string train_before = read_file(train_);
  const Outcome r = compile(options());
  EXPECT_EQ(r.status, exit_code::clean) << r.err;
  EXPECT_EQ(r.err, "");

  TempDir generated;
  scenario::testing::RecordingUi ui;
  RealFileSystem disk;
  Form1 form(ui, disk, generated.str());
  form.Form_Load();
  for (const std::string name :
       {"Valdora_Lusa_linea.dat", "Valdora_Lusa_24863.sim", "Valdora_Lusa_24863.dat"}) {
    EXPECT_EQ(read_file(output_.file(name)), read_file(generated.file(name))) << name;
  }
  EXPECT_EQ(list_folder(output_.path()),
            (std::vector<std::string>{"Valdora_Lusa_24863.dat", "Valdora_Lusa_24863.sim",
                                      "Valdora_Lusa_linea.dat"}));
  // The author's sources are untouched.
  EXPECT_EQ(read_file(line_), line_before);
  EXPECT_EQ(read_file(train_), train_before);
}

// The compiler deletes the sources it reads, and here they stand where it writes: they keep their
// bytes, their file and their modification time, whether the compile writes files or not.
TEST_F(CompileVerbTest, SourcesInTheOutputFolderAreNeverTouched) {
  // Read the time back: a file system keeps it at its own resolution (100 ns on Windows).
  std::filesystem::last_write_time(
      line_, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  const auto an_hour_ago = std::filesystem::last_write_time(line_);
  std::filesystem::last_write_time(train_, an_hour_ago);
  const std::string line_before = read_file(line_);
  const std::string train_before = read_file(train_);
  const std::uint64_t line_file = testing::file_identity(line_);
  CompileOptions o = options();
  o.out_dir = sources_.str();
  for (int run = 0; run < 2; ++run) {
    const Outcome r = compile(o);
    EXPECT_EQ(r.status, exit_code::clean) << r.err;
    EXPECT_EQ(read_file(line_), line_before);
    EXPECT_EQ(read_file(train_), train_before);
    EXPECT_EQ(testing::file_identity(line_), line_file);
    for (const std::string* path : {&line_, &train_}) {
      EXPECT_EQ(std::filesystem::last_write_time(*path), an_hour_ago) << *path;
    }
  }
  EXPECT_EQ(list_folder(sources_.path()).size(), 5u);
}

TEST_F(CompileVerbTest, AMissingOutputFolderIsMade) {
  CompileOptions o = options();
  o.out_dir = output_.file("new/deeper");
  const Outcome r = compile(o);
  EXPECT_EQ(r.status, exit_code::clean) << r.err;
  EXPECT_EQ(list_folder(o.out_dir).size(), 3u);
}

TEST(TemplateVerbTest, WritesIntoAFolderItMakes) {
  TempDir dir;
  std::ostringstream out;
  std::ostringstream err;
  const std::string folder = dir.file("a/b");
  RealFileSystem fs;
  EXPECT_EQ(run_template(TemplateOptions{folder}, fs, out, err), exit_code::clean) << err.str();
  EXPECT_EQ(list_folder(folder),
            (std::vector<std::string>{"Valdora_Lusa_24863-.txt", "Valdora_Lusa_linea.txt"}));
}

TEST_F(CompileVerbTest, NoLineLeavesOutTheLineFile) {
  CompileOptions o = options();
  o.no_line = true;
  EXPECT_EQ(compile(o).status, exit_code::clean);
  EXPECT_EQ(list_folder(output_.path()),
            (std::vector<std::string>{"Valdora_Lusa_24863.dat", "Valdora_Lusa_24863.sim"}));
}

TEST_F(CompileVerbTest, IdentifiersComeFromTheNamesOrTheOptions) {
  TempDir other;
  const std::string line = other.file("line.txt");
  const std::string train = other.file("train.txt");
  write_file(line, read_file(line_));
  write_file(train, read_file(train_));
  CompileOptions o = options();
  o.line_source = line;
  o.train_source = train;
  const auto expect_refused = [&](const std::string& why) {
    const Outcome refused = compile(o);
    EXPECT_EQ(refused.status, exit_code::usage);
    EXPECT_EQ(refused.err, "scenario_tool: error: " + why + "\n");
  };
  expect_refused(
      "cannot take the route identifier from \"line.txt\" (not ROUTE_linea.txt): give "
      "--route-id");
  o.route_id = "Monte";
  expect_refused(
      "cannot take the train number from \"train.txt\" (not Monte_TRAIN-.txt): give "
      "--train-number");
  o.train_number = "101";
  const Outcome r = compile(o);
  EXPECT_EQ(r.status, exit_code::clean) << r.err;
  EXPECT_EQ(list_folder(output_.path()),
            (std::vector<std::string>{"Monte_101.dat", "Monte_101.sim", "Monte_linea.dat"}));
  o.train_number = "../x";
  EXPECT_EQ(compile(o).status, exit_code::usage);
}

// One family of diagnostics of a train record each, with the exact lines printed: the record and
// the field named, the hint where to read more, where reading stopped. An error writes nothing.
TEST_F(CompileVerbTest, ATrainRecordErrorNamesItsLineAndWhereReadingStopped) {
  const struct {
    const char* from;
    const char* to;
    const char* message;  // after "SOURCE:LINE: "
    int stopped_at;
    int records_after;
    const char* last_line;  // names the code the generator records
  } cases[] = {
      {"sabbia,    0", "sabbia,    no",
       "error 25: \"sabbia\" field 2, sand: \"no\" is not a whole number (scenario_tool explain "
       "25)",
       7, 85, "1 error(s), 0 warning(s); nothing written (error 25)\n"},
      {"Stazione,   2750,", "Stazione,    550,",
       "error 22: the station at km 0.550 has its zone from km 0.250, less than 350 m after the "
       "end of the previous one's (km 0.400, :38) (at km 0.550) (scenario_tool explain 22)",
       39, 60, "1 error(s), 0 warning(s); nothing written (error 22 at 550 m)\n"},
  };
  const std::string original = read_file(train_);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.to);
    write_file(train_, original);
    edit(train_, c.from, c.to);
    const Outcome r = compile(options());
    EXPECT_EQ(r.status, exit_code::recorded_code);
    EXPECT_EQ(r.err, train_ + ":" + std::to_string(line_of(train_, c.to)) + ": " + c.message +
                         "\nreading stopped at " + train_ + ":" + std::to_string(c.stopped_at) +
                         "; " + std::to_string(c.records_after) +
                         " records after it were not compiled\n");
    EXPECT_TRUE(list_folder(output_.path()).empty());
    EXPECT_TRUE(r.out.ends_with(c.last_line)) << r.out;
  }
}

TEST_F(CompileVerbTest, AnOccupiedCell) {
  // A set compiled before: an error leaves it untouched.
  ASSERT_EQ(compile(options()).status, exit_code::clean);
  const std::string track = output_.file("Valdora_Lusa_24863.dat");
  const std::string clean_track = read_file(track);
  edit(train_, "segnale,   1000,", "segnale,    800,");
  const Outcome r = compile(options());
  EXPECT_EQ(read_file(track), clean_track);
  EXPECT_EQ(r.status, exit_code::recorded_code);
  const std::string here = train_ + ":" + std::to_string(line_of(train_, "segnale,    800,"));
  // The failing signal is blamed, and the board that holds its cell is named with its line.
  EXPECT_EQ(r.err, here + ": error 16: the signal at " + here +
                       " needs cell 17, held by the speed "
                       "board at " +
                       line_ + ":" + std::to_string(line_of(line_, "indicatori_vmax, 800,")) +
                       " (at km 0.800) (scenario_tool explain 16)\n"
                       "reading stopped at " +
                       here + "; 42 records after it were not compiled\n");
  EXPECT_TRUE(r.out.ends_with("; nothing written (error 16 at 800 m)\n")) << r.out;
  // Asked for, the generator's files are written, and the last line still names the code.
  CompileOptions o = options();
  o.write_on_error = true;
  const Outcome w = compile(o);
  EXPECT_EQ(w.status, exit_code::recorded_code);
  EXPECT_EQ(list_folder(output_.path()).size(), 3u);
  EXPECT_TRUE(w.out.ends_with("; written as the generator writes them (error 16 at 800 m)\n"))
      << w.out;
  // What the generator's compile makes of the same sources, byte for byte.
  const CompiledFileBytes generated =
      compile_sources({{"Valdora_Lusa", "24863"},
                       {SourceText::of(read_file(line_)), SourceText::of(read_file(train_))},
                       {}})
          .file_bytes();
  EXPECT_NE(generated.track, clean_track);
  EXPECT_EQ(read_file(track), generated.track);
  EXPECT_EQ(read_file(output_.file("Valdora_Lusa_24863.sim")), generated.table);
  EXPECT_EQ(read_file(output_.file("Valdora_Lusa_linea.dat")), generated.line.value_or(""));
}

// Scripts read the code the generator records from the last line, in metres, whatever the
// diagnostics above it say; with none recorded the count line stands alone.
TEST_F(CompileVerbTest, TheLastLineNamesTheCodeTheGeneratorRecords) {
  const Outcome clean = compile(options());
  EXPECT_TRUE(clean.out.ends_with("\n0 error(s), 0 warning(s)\n")) << clean.out;
  edit(train_, "segnale,   1000,", "segnale,    800,");
  const Outcome r = compile(options());
  EXPECT_EQ(r.out, "1 error(s), 0 warning(s); nothing written (error 16 at 800 m)\n");
  edit(line_, "[generale]", "[generali");
  const Outcome none = compile(options());
  EXPECT_EQ(none.out, "1 error(s), 0 warning(s); nothing written (error 102)\n");
}

// --json: the diagnostics as check's findings are, the files written, the code recorded; the
// text forms are left out, so standard output is one JSON document.
TEST_F(CompileVerbTest, JsonCarriesTheDiagnosticsTheFilesAndTheRecordedCode) {
  edit(train_, "segnale,   1000,", "segnale,    800,");
  edit(line_, "pendenza  , 300 ", "pendenze  , 300 ");
  CompileOptions o = options();
  o.json = true;
  const Outcome r = compile(o);
  EXPECT_EQ(r.status, exit_code::recorded_code);
  EXPECT_EQ(r.err, "");
  const auto doc = nlohmann::json::parse(r.out);
  ASSERT_EQ(doc.at("diagnostics").size(), 2u) << r.out;
  // A dropped record is an error without a code: its id stands for the code.
  const auto& warning = doc["diagnostics"][0];
  EXPECT_EQ(warning.at("check"), "unknown-keyword");
  EXPECT_EQ(warning.at("severity"), "error");
  EXPECT_EQ(warning.at("file"), line_);
  EXPECT_EQ(warning.at("line"), line_of(line_, "pendenze  , 300 "));
  EXPECT_TRUE(warning.at("position_m").is_null());
  const auto& error = doc["diagnostics"][1];
  EXPECT_EQ(error.at("check"), "16");
  EXPECT_EQ(error.at("severity"), "error");
  EXPECT_EQ(error.at("position_m"), 800);
  EXPECT_EQ(error.at("file"), train_);
  EXPECT_EQ(error.at("line"), line_of(train_, "segnale,    800,"));
  // The records the message names are given as FILE:LINE, as in the text form.
  const std::string here = train_ + ":" + std::to_string(line_of(train_, "segnale,    800,"));
  EXPECT_EQ(error.at("message"), "the signal at " + here +
                                     " needs cell 17, held by the speed board at " + line_ + ":" +
                                     std::to_string(line_of(line_, "indicatori_vmax, 800,")));
  EXPECT_EQ(doc.at("written").size(), 0u);
  EXPECT_EQ(doc.at("recorded"), nlohmann::json({{"code", 16}, {"position_m", 800}}));
  EXPECT_EQ(doc.at("summary"), nlohmann::json({{"errors", 2}, {"warnings", 0}}));
}

TEST_F(CompileVerbTest, AMissingGeneraleSection) {
  edit(line_, "[generale]", "[generali");
  const Outcome r = compile(options());
  EXPECT_EQ(r.status, exit_code::recorded_code);
  const int last_line = line_of(line_, "[fine]");
  EXPECT_EQ(r.err,
            line_ + ":" + std::to_string(last_line) +
                ": error 102: the line description source ends before its [generale] "
                "section (scenario_tool explain 102)\n"
                "reading stopped at " +
                line_ + ":" + std::to_string(last_line) +
                "; 88 records after it were not compiled\n"
                "scenario_tool: error: nothing written: the compile stopped before it had a track "
                "(error 102): the track is made by the \"lunghezza percorso\" record, after "
                "the line source's \"[generale]\" header\n");
  // No track, so no compiled file.
  EXPECT_TRUE(list_folder(output_.path()).empty());
}

// A slip for the header is blamed on the header's own line, not at the end of the file.
TEST_F(CompileVerbTest, AMisspeltGeneraleHeaderIsToldOnItsLine) {
  const int header = line_of(line_, "[generale]");
  edit(line_, "[generale]", "[generle]");
  const Outcome r = compile(options());
  EXPECT_EQ(r.status, exit_code::recorded_code);
  EXPECT_TRUE(r.err.starts_with(line_ + ":" + std::to_string(header) +
                                ": error 102: \"[generle]\" is not the \"[generale]\" header (did "
                                "you mean \"[generale]\"?)"))
      << r.err;
}

TEST_F(CompileVerbTest, AHeaderConflictIsReportedAndNothingIsWritten) {
  edit(line_, "[indicazioni]", "[indicazioni]\r\ncartello indicatore, 0, (x)");
  const Outcome r = compile(options());
  EXPECT_EQ(r.status, exit_code::header_conflict);
  // The code names no line; the sign in cell 1 is its cause, and the error stands on its line.
  EXPECT_EQ(r.err,
            line_ + ":" + std::to_string(line_of(line_, "cartello indicatore, 0, (x)")) +
                ": error 1250: the sign at km 0.000 lies in cell 1, which carries the header "
                "values and the competition codes (scenario_tool explain 1250)\n"
                "scenario_tool: error: nothing written: a header slot is already taken (error "
                "1250), which ends the compile before it writes anything\n");
  EXPECT_EQ(r.out, "1 error(s), 0 warning(s); nothing written (error 1250)\n");
  EXPECT_TRUE(list_folder(output_.path()).empty());
}

// The record is lost, so it is an error, with the keyword it was probably meant to be.
TEST_F(CompileVerbTest, AMistypedKeywordIsAnErrorWithASuggestion) {
  edit(line_, "pendenza  , 300 ", "pendenze  , 300 ");
  const Outcome r = compile(options());
  EXPECT_EQ(r.status, exit_code::recorded_code);
  EXPECT_EQ(r.err, line_ + ":" + std::to_string(line_of(line_, "pendenze  ,")) +
                       ": error: \"pendenze\" matches no record keyword; the record is dropped "
                       "(did you mean \"pendenza\"?) (scenario_tool explain unknown-keyword)\n");
  EXPECT_EQ(r.out, "1 error(s), 0 warning(s); nothing written\n");
}

TEST_F(CompileVerbTest, AMissingSourceIsAnInputOutputFailure) {
  CompileOptions o = options();
  o.train_source = sources_.file("Valdora_Lusa_9-.txt");
  const Outcome r = compile(o);
  EXPECT_EQ(r.status, exit_code::io_failure);
  EXPECT_EQ(r.err, "scenario_tool: error: no such file: " + o.train_source + "\n");
  // Before anything else: a name the identifiers cannot come from is not what is reported.
  o.line_source = sources_.file("wrong_name.txt");
  EXPECT_EQ(compile(o).err, "scenario_tool: error: no such file: " + o.line_source + "\n");
}

}  // namespace
}  // namespace scenario::tool
