// The round trip of decompile, checked from outside: scenarios are compiled, decompiled, and the
// sources compiled again by the compiler itself; the files must come back byte for byte, whatever
// the tool's own check says. Over the built-in scenario, single-record edits of it, and synthetic
// scenarios of several sizes and seeds.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "compiler/compile_sources.h"
#include "format/constants.h"
#include "format/file_names.h"
#include "platform/memory_file_system.h"
#include "run/builtin_scenario.h"
#include "scenario_tool/verbs/verbs.h"
#include "sources/contenuti.h"
#include "synthetic_scenario.h"

namespace scenario::tool {
namespace {

struct Compiled {
  std::string track;
  std::string table;
  std::optional<std::string> line;
  bool clean = false;  // no code recorded
  bool written = false;
};

Compiled compile_sources(const std::string& line_source, const std::string& train_source,
                         const ScenarioNames& ids, bool with_line) {
  const CompileResult result =
      scenario::compile_sources({{ids.route_id, ids.train_number},
                                 {SourceText::of(line_source), SourceText::of(train_source)},
                                 {.build_line = with_line}});
  Compiled out;
  out.clean = result.code.code == Code::none;
  out.written = result.has_files;
  if (!out.written) return out;
  CompiledFileBytes files = result.file_bytes();
  out.track = std::move(files.track);
  out.table = std::move(files.table);
  out.line = std::move(files.line);
  return out;
}

struct Decompiled {
  int status = -1;
  std::string out, err;
  std::string line_source, train_source;
};

// The files are given one by one, under the names of the scenario.
Decompiled decompile(const Compiled& files, const ScenarioNames& ids) {
  MemoryFileSystem fs;
  const ScenarioNames in{"in", ids.route_id, ids.train_number};
  DecompileOptions o;
  fs.put(track_file_path(in), files.track);
  fs.put(table_file_path(in), files.table);
  o.paths = {track_file_path(in), table_file_path(in)};
  if (files.line) {
    fs.put(line_file_path(in), *files.line);
    o.paths.push_back(line_file_path(in));
  }
  o.out_dir = "out";
  std::ostringstream out, err;
  Decompiled d;
  d.status = run_decompile(o, fs, out, err);
  d.out = out.str();
  d.err = err.str();
  const ScenarioNames written{"out", ids.route_id, ids.train_number};
  d.line_source = fs.contents(line_source_path(written)).value_or("");
  d.train_source = fs.contents(train_source_path(written)).value_or("");
  return d;
}

// Compile, decompile, compile again: the same bytes, and the tool says so. Returns the decompile.
Decompiled expect_round_trip(const std::string& line_source, const std::string& train_source,
                             const ScenarioNames& ids, bool with_line, const std::string& what) {
  SCOPED_TRACE(what);
  const Compiled first = compile_sources(line_source, train_source, ids, with_line);
  EXPECT_TRUE(first.written && first.clean) << "the case itself must compile clean";
  if (!first.written || !first.clean) return {};
  const Decompiled d = decompile(first, ids);
  EXPECT_EQ(d.status, exit_code::clean) << d.err;
  EXPECT_EQ(d.err, "");
  const Compiled again = compile_sources(d.line_source, d.train_source, ids, with_line);
  EXPECT_TRUE(again.written);
  EXPECT_TRUE(again.clean) << "the decompiled sources record a code";
  EXPECT_TRUE(again.track == first.track) << "track file differs";
  EXPECT_TRUE(again.table == first.table) << "table file differs";
  EXPECT_TRUE(again.line == first.line) << "line file differs";
  return d;
}

const ScenarioNames kBuiltIn{"", builtin_route_id, builtin_train_number};

std::string builtin_line() { return render_lines(contenuto_linea()); }
std::string builtin_train() { return render_lines(contenuto_treno()); }

TEST(DecompileRoundTrip, BuiltInScenarioWithAndWithoutItsLineFile) {
  expect_round_trip(builtin_line(), builtin_train(), kBuiltIn, true, "with the line file");
  expect_round_trip(builtin_line(), builtin_train(), kBuiltIn, false, "compiled with --no-line");
  const Decompiled d =
      decompile(compile_sources(builtin_line(), builtin_train(), kBuiltIn, false), kBuiltIn);
  EXPECT_NE(d.out.find("compile them with --no-line"), std::string::npos) << d.out;
  EXPECT_EQ(d.line_source.find("curva"), std::string::npos) << "curves without a line file";
}

TEST(DecompileRoundTrip, SyntheticScenariosOfSeveralSizesAndSeeds) {
  const ScenarioNames ids{"", "Sintetico", "1"};
  for (std::uint32_t seed = 0; seed < 12; ++seed) {
    const std::int32_t length = synthetic::shortest_route + static_cast<std::int32_t>(seed) * 7350;
    const synthetic::Scenario s = synthetic::make_scenario(length, seed);
    expect_round_trip(s.line_source, s.train_source, ids, seed % 4 != 3,
                      "seed " + std::to_string(seed) + ", " + std::to_string(length) + " m");
  }
}

// Sources whose files need the less usual records back: a tunnel that follows another closely
// without its type 3 (only an earlier record ending farther on gives that), a tunnel type above
// 10 without markers, a signal time that wraps through 8 bits, a signal read before the station
// whose approach codes replace its own, an author's code cut where the finishing pass would put
// its marker, a code cut above 180, a sign text in Windows-1252.
TEST(DecompileRoundTrip, RecordsInOrdersAndValuesTheGeneratorsSourcesNeverUse) {
  struct Case {
    const char* what;
    const char* line_records;
    const char* train_records;
    const char* train_before_stations;
    const char* decompiled_holds;  // shows the unusual record was needed
  };
  const std::vector<Case> cases{
      {"tunnels out of order", "montagna, 60550, 61000, 2\r\nmontagna, 60000, 60500, 11\r\n", "",
       "", "montagna, -1000, -1000,"},
      {"tunnel type 200 without markers", "montagna, 60000, 60500, -56\r\n", "", "", "60500, -56"},
      {"signal time 300", "", "segnale, 8850, 2, 9, 9, 9, 9, 2, 9, 9, 9, 300\r\n", "",
       "9, 300\r\n"},
      {"signal before a station", "", "", "segnale, 3050, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0\r\n",
       "- read first"},
      {"code cuts in a marker band and above 180", "",
       "abbattimento codice, 10300, 180\r\nabbattimento codice, 30000, 300\r\n", "",
       "abbattimento codice, 10250, 180"},
      {"a sign text in Windows-1252", "cartello indicatore, 9050, citt\xe0\r\n", "", "",
       "citt\xe0\r\n"},
  };
  for (const Case& c : cases) {
    std::string line = builtin_line();
    std::string train = builtin_train();
    line.insert(line.find("[fine]"), c.line_records);
    train.insert(train.find("[fine]"), c.train_records);
    train.insert(train.find("[stazioni]"), c.train_before_stations);
    const Decompiled d = expect_round_trip(line, train, kBuiltIn, false, c.what);
    EXPECT_NE((d.line_source + d.train_source).find(c.decompiled_holds), std::string::npos)
        << c.what;
  }
}

// The lines of a source, CR LF kept out.
std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  return text;
}

// One edit of one record line: left out, or its first number moved by 50 m and 1 m (a position
// off the cell grid), or its last number raised by 1.
std::vector<std::string> edits_of(const std::string& line) {
  std::vector<std::string> edits{""};
  const auto comma = line.find(',');
  const auto digit = line.find_first_of("0123456789", comma);
  if (digit == std::string::npos) return edits;
  const auto end = line.find_first_not_of("0123456789", digit);
  const long first = std::stol(line.substr(digit, end - digit));
  for (long delta : {50L, 1L}) {
    edits.push_back(line.substr(0, digit) + std::to_string(first + delta) +
                    (end == std::string::npos ? "" : line.substr(end)));
  }
  const auto last = line.find_last_of("0123456789");
  auto from = line.find_last_not_of("0123456789", last);
  from = from == std::string::npos ? 0 : from + 1;
  edits.push_back(line.substr(0, from) +
                  std::to_string(std::stol(line.substr(from, last - from + 1)) + 1) +
                  line.substr(last + 1));
  return edits;
}

TEST(DecompileRoundTrip, EverySingleRecordEditOfTheBuiltInSourcesThatCompilesClean) {
  int tried = 0;
  for (int which = 0; which < 2; ++which) {
    const std::vector<std::string> lines = lines_of(which == 0 ? builtin_line() : builtin_train());
    const auto general = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
      return l.find("[generale]") != std::string::npos;
    });
    for (auto it = general + 1; it != lines.end(); ++it) {
      if (it->find(',') == std::string::npos || it->starts_with("-")) continue;
      for (const std::string& edit : edits_of(*it)) {
        std::vector<std::string> edited = lines;
        edited[static_cast<std::size_t>(it - lines.begin())] = edit;
        const std::string line_source = which == 0 ? joined(edited) : builtin_line();
        const std::string train_source = which == 1 ? joined(edited) : builtin_train();
        // The line file only where the edit can change it: the rest is checked faster without.
        const bool with_line = it->starts_with("curva");
        const Compiled c = compile_sources(line_source, train_source, kBuiltIn, with_line);
        if (!c.written || !c.clean) continue;
        ++tried;
        expect_round_trip(line_source, train_source, kBuiltIn, with_line,
                          "\"" + *it + "\" -> \"" + edit + "\"");
        if (::testing::Test::HasFailure()) return;
      }
    }
  }
  EXPECT_GT(tried, 400) << "too few edits compile clean to test anything";
}

// Each slowdown of the built-in train, announced, moved to every metre of a cell: each position
// that compiles clean comes back. 25 m past a cell's point (10525 m) the announce cells lie one
// cell further back than at any other position.
TEST(DecompileRoundTrip, AnAnnouncedSlowdownAtEveryMetreOfACell) {
  const std::vector<std::string> lines = lines_of(builtin_train());
  int tried = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!lines[i].starts_with("rallentamento,")) continue;
    std::istringstream fields(lines[i].substr(lines[i].find(',') + 1));
    long x = 0, v = 0, l = 0, f_tt = 0, f_ta = 0, d_v = 0;
    char comma = 0;
    fields >> x >> comma >> v >> comma >> l >> comma >> f_tt >> comma >> f_ta >> comma >> d_v;
    for (long at = x; at < x + cell_metres; ++at) {
      std::vector<std::string> edited = lines;
      edited[i] = "rallentamento, " + std::to_string(at) + ", " + std::to_string(v) + ", " +
                  std::to_string(l) + ", " + std::to_string(f_tt) + ", 1, " + std::to_string(d_v);
      const std::string train = joined(edited);
      const Compiled c = compile_sources(builtin_line(), train, kBuiltIn, false);
      if (!c.written || !c.clean) continue;
      ++tried;
      expect_round_trip(builtin_line(), train, kBuiltIn, false, edited[i]);
      if (::testing::Test::HasFailure()) return;
    }
  }
  EXPECT_GT(tried, 100) << "too few positions compile clean to test anything";
}

}  // namespace
}  // namespace scenario::tool
