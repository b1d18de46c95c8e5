// What decompile makes of the built-in files, record by record, and of files that no compile
// wrote as they are: damaged, inconsistent, or holding what no source can produce.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "compiler/compile_sources.h"
#include "format/file_names.h"
#include "platform/memory_file_system.h"
#include "run/builtin_scenario.h"
#include "scenario_tool/verbs/verbs.h"
#include "sources/contenuti.h"
#include "synthetic_scenario.h"

namespace scenario::tool {
namespace {

struct Files {
  std::string track, table, line;
};

Files compile(const std::string& line_source, const std::string& train_source,
              const std::string& route, const std::string& train) {
  const CompiledFileBytes files =
      compile_sources(
          {{route, train}, {SourceText::of(line_source), SourceText::of(train_source)}, {}})
          .file_bytes();
  return {files.track, files.table, files.line.value()};
}

Files builtin_files() {
  return compile(render_lines(contenuto_linea()), render_lines(contenuto_treno()), builtin_route_id,
                 builtin_train_number);
}

struct Session {
  int status = -1;
  std::string out, err;
  MemoryFileSystem fs;
};

const ScenarioNames kIn{"in", builtin_route_id, builtin_train_number};
const ScenarioNames kOut{"out", builtin_route_id, builtin_train_number};

void run(Session& r, const std::vector<std::string>& paths, bool force = false) {
  DecompileOptions o;
  o.paths = paths;
  o.out_dir = "out";
  o.force = force;
  std::ostringstream out, err;
  r.status = run_decompile(o, r.fs, out, err);
  r.out = out.str();
  r.err = err.str();
}

void put(Session& r, const Files& f) {
  r.fs.put(track_file_path(kIn), f.track);
  r.fs.put(table_file_path(kIn), f.table);
  r.fs.put(line_file_path(kIn), f.line);
}

const std::vector<std::string> kAllThree{track_file_path(kIn), table_file_path(kIn),
                                         line_file_path(kIn)};

// Records as keyword and values, spaces and comments left out, numbers as numbers.
std::multiset<std::string> records(const std::string& text) {
  std::multiset<std::string> out;
  std::istringstream lines(text);
  bool started = false;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find("[generale]") != std::string::npos) started = true;
    if (!started || line.find(',') == std::string::npos || line.find('-') == 0) continue;
    std::string record;
    std::istringstream fields(line);
    for (std::string f; std::getline(fields, f, ',');) {
      f.erase(0, f.find_first_not_of(' '));
      f.erase(f.find_last_not_of(' ') + 1);
      if (f.empty()) continue;
      const bool number = f.find_first_not_of("-0123456789 ") == std::string::npos;
      if (number) {
        std::istringstream n(f);
        for (long v; n >> v;) record += "," + std::to_string(v);
      } else {
        // Keywords are matched without regard to case ("Stazione" comes back as "stazione").
        if (record.empty()) {
          std::transform(f.begin(), f.end(), f.begin(),
                         [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
        }
        record += (record.empty() ? "" : ",") + f;
      }
    }
    out.insert(record);
  }
  return out;
}

std::vector<std::string> only_in(const std::multiset<std::string>& a,
                                 const std::multiset<std::string>& b) {
  std::vector<std::string> out;
  std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
  return out;
}

// The README's list: curves that begin inside the one before come back from where it ends (or
// joined to it, same class and side); speed limits off the 50 m grid come back at the metre of
// their cell. Every other record comes back as it was.
TEST(DecompileBuiltIn, RecordsThatComeBackOtherwiseThanTheBuiltInSourcesWriteThem) {
  Session r;
  put(r, builtin_files());
  run(r, kAllThree);
  ASSERT_EQ(r.status, exit_code::clean) << r.err;
  const auto line = records(*r.fs.contents(line_source_path(kOut)));
  const auto train = records(*r.fs.contents(train_source_path(kOut)));
  const auto builtin_line = records(render_lines(contenuto_linea()));
  const auto builtin_train = records(render_lines(contenuto_treno()));
  using V = std::vector<std::string>;
  EXPECT_EQ(only_in(builtin_line, line),
            (V{"curvad3,1150,300", "curvad3,1400,100", "curvad4,48700,300", "curvad5,21550,250",
               "curvas5,19300,200"}));
  EXPECT_EQ(only_in(line, builtin_line),
            (V{"curvad3,1150,350", "curvad4,48750,250", "curvad5,21650,150", "curvas5,19400,100"}));
  EXPECT_EQ(
      only_in(builtin_train, train),
      (V{"velocita' limite,27560,150", "velocita' limite,2760,95", "velocita' limite,47960,130",
         "velocita' limite,50740,160", "velocita' limite,7380,130"}));
  EXPECT_EQ(
      only_in(train, builtin_train),
      (V{"velocita' limite,2750,95", "velocita' limite,27550,150", "velocita' limite,47950,130",
         "velocita' limite,50750,160", "velocita' limite,7400,130"}));
}

TEST(DecompileBuiltIn, WritesCrLfLinesInTheGeneratorsSectionOrder) {
  Session r;
  put(r, builtin_files());
  run(r, kAllThree);
  const std::string line = *r.fs.contents(line_source_path(kOut));
  const std::string train = *r.fs.contents(train_source_path(kOut));
  for (const std::string* text : {&line, &train}) {
    EXPECT_EQ(std::count(text->begin(), text->end(), '\n'),
              std::count(text->begin(), text->end(), '\r'));
    EXPECT_TRUE(text->ends_with("\r\n"));
  }
  std::size_t at = 0;
  for (const char* header : {"[generale]", "[pendenze]", "[curve]", "[cartelli]", "[montagne]",
                             "[indicazioni]", "[fine]"}) {
    at = line.find(header, at);
    EXPECT_NE(at, std::string::npos) << header;
  }
  at = 0;
  for (const char* header : {"[generale]", "[aderenze]", "[vel_limite]", "[stazioni]",
                             "[rallentamenti]", "[segnali]", "[codici]", "[fine]"}) {
    at = train.find(header, at);
    EXPECT_NE(at, std::string::npos) << header;
  }
  // The block of records that follows a station is headed by its name.
  EXPECT_NE(train.find("- VALDORA PRASINE\r\nrallentamento, 10500"), std::string::npos);
}

// Byte `at` of a file changed by `f`.
void change(std::string& bytes, std::size_t at, const std::function<void(char&)>& f) {
  ASSERT_LT(at, bytes.size());
  f(bytes[at]);
}

// Coordinate 0 of metre m >= 2 starts at this byte of the line file: two integer rows, then
// tagged doubles of 10 bytes.
std::size_t line_value_at(std::int64_t metre) {
  return 8 + static_cast<std::size_t>(metre - 2) * 10;
}

struct BadCase {
  const char* name;
  std::function<void(Files&)> damage;
  int status;
  const char* message;  // in standard error
};

TEST(DecompileInputs, DamagedInconsistentAndInexpressibleFiles) {
  const Files builtin = builtin_files();
  const Files other_train = compile(render_lines(contenuto_linea()),
                                    render_lines(contenuto_treno()), builtin_route_id, "99999");
  const synthetic::Scenario synth = synthetic::make_scenario(synthetic::shortest_route);
  const Files shorter =
      compile(synth.line_source, synth.train_source, builtin_route_id, builtin_train_number);
  const std::vector<BadCase> cases{
      {"a track cell of an unknown kind",
       [](Files& f) { change(f.track, 15 * 500, [](char& b) { b = 7; }); }, exit_code::damaged_file,
       "scenario_tool: error: track cell 500 (km 25.000) is of kind 7, which no compile writes"},
      {"a line metre that no step reproduces",
       [](Files& f) { change(f.line, line_value_at(1000) + 2, [](char& b) { b ^= 1; }); },
       exit_code::damaged_file,
       "scenario_tool: error: the line file at km 1.000: no straight or curved step of any class "
       "reproduces this row"},
      {"a line file cut short, which is no line file",
       [](Files& f) { f.line.resize(f.line.size() - 3); }, exit_code::damaged_file,
       "damaged line file"},
      {"the track of another train on the same line",
       [&](Files& f) { f.track = other_train.track; }, exit_code::damaged_file,
       "the files are of two scenarios"},
      {"the track and line of a shorter line",
       [&](Files& f) {
         f.track = shorter.track;
         f.line = shorter.line;
       },
       exit_code::damaged_file,
       "scenario_tool: error: the files are not of one scenario: the track file"},
      {"a signal without its approach codes",
       [](Files& f) { change(f.track, 15 * (21 - 2) + 10, [](char& b) { b = 0; }); },
       exit_code::recorded_code,
       "scenario_tool: error: the round trip differs: track cell 19 (km 0.950), approach_code: the "
       "file holds "
       "0, its sources give 31"},
      {"table entry 0, which no source fills",
       [](Files& f) { change(f.table, 0, [](char& b) { b = 5; }); }, exit_code::recorded_code,
       "decompile: warning: no source can express this: table entry 0 is not empty"},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.name);
    Files files = builtin;
    c.damage(files);
    Session r;
    put(r, files);
    run(r, kAllThree);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    // Sources are written only when there are sources to write.
    EXPECT_EQ(r.fs.has(line_source_path(kOut)), c.status == exit_code::recorded_code);
  }
}

TEST(DecompileInputs, UsageAndFilesThatCannotBeRead) {
  {
    Session r;
    put(r, builtin_files());
    run(r, {track_file_path(kIn), line_file_path(kIn)});
    EXPECT_EQ(r.status, exit_code::usage);
    EXPECT_NE(r.err.find("needs the track file (.dat) and the table file (.sim)"),
              std::string::npos)
        << r.err;
  }
  {
    Session r;
    r.fs.put(track_file_path(kIn), builtin_files().track);
    run(r, {track_file_path(kIn), table_file_path(kIn)});
    EXPECT_EQ(r.status, exit_code::io_failure) << r.err;
  }
  {
    // Sources that are there are replaced only with --force.
    Session r;
    put(r, builtin_files());
    r.fs.put(line_source_path(kOut), "mine");
    run(r, kAllThree);
    // The status and the line of template's and new's refusal.
    EXPECT_EQ(r.status, exit_code::usage);
    EXPECT_EQ(r.err, "scenario_tool: error: " + line_source_path(kOut) +
                         " is already there; nothing was written: give --force to replace it\n");
    EXPECT_EQ(*r.fs.contents(line_source_path(kOut)), "mine");
    run(r, kAllThree, true);
    EXPECT_EQ(r.status, exit_code::clean) << r.err;
    EXPECT_NE(*r.fs.contents(line_source_path(kOut)), "mine");
  }
}

}  // namespace
}  // namespace scenario::tool
