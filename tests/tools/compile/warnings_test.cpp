// The warnings of `compile`, one table: a line put into the example scenario, and the warning it
// must draw (or the error 25 it must explain, on its own line). Every warning the tool knows draws
// itself from its own example, and the built-in scenario draws none.
#include "scenario_tool/compile/warnings.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/memory_file_system.h"
#include "scenario_tool/explain/example_scenario.h"
#include "scenario_tool/verbs/verbs.h"
#include "sources/contenuti.h"

namespace scenario::tool {
namespace {

struct Compiled {
  int status = 0;
  std::string out;
  std::string err;
};

Compiled compile(const ExampleSources& sources, std::vector<std::string> flags = {}) {
  MemoryFileSystem fs;
  fs.put("/s/R_linea.txt", sources.line.value_or(""));
  fs.put("/s/R_1-.txt", sources.train);
  CompileOptions o;
  o.line_source = "/s/R_linea.txt";
  o.train_source = "/s/R_1-.txt";
  o.out_dir = "/o";
  o.warning_flags = std::move(flags);
  std::ostringstream out;
  std::ostringstream err;
  const int status = run_compile(o, fs, out, err);
  return {status, out.str(), err.str()};
}

// "general: " before a line puts it in the line source's general section.
ExampleSources with_line(SourceKind source, const std::string& line) {
  CodeExample e;
  if (line.starts_with("general: ")) {
    e.general.push_back(line.substr(9));
  } else {
    (source == SourceKind::line ? e.line : e.train).push_back(line);
  }
  return example_sources(e);
}

// The file and line an example record stands on, as diagnostics name them.
std::string place(SourceKind source, const ExampleSources& s) {
  return source == SourceKind::line ? "/s/R_linea.txt:" + std::to_string(s.line_record_line)
                                    : "/s/R_1-.txt:" + std::to_string(s.train_record_line);
}

struct Row {
  SourceKind source;
  std::string line;
  std::string warning;  // the id it draws
  bool error_25 = false;
};

const Row kRows[] = {
    {SourceKind::train, "stazione, 2000, 2, 600, 1,0,0, 4,1,0, 2,1,1, 40, 19,11,0, PORTO, CENTRALE",
     "text-cut"},
    {SourceKind::train, "velocita' limite, 1000, 7", "rounded"},
    {SourceKind::train, "velocita' limite, 1000, 1275", "out-of-range"},
    {SourceKind::train, "orologio, 9 75 0", "out-of-range"},
    {SourceKind::train, "stazione, 2000, 2, 600, 1,0,0, 4,1,0, 2,1,1, 40, 25,18,0, SERA",
     "out-of-range"},
    {SourceKind::line, "pendenza, 1500, 155", "out-of-range"},
    {SourceKind::line, "pendenza, 1500, -100", "gradient-unset"},
    {SourceKind::line, "montagna, 15200, 14000, 1", "stretch-reversed"},
    {SourceKind::train, "rallentamento, 10500, 30, 0, 1, 1, 0", "slowdown-no-end"},
    {SourceKind::train, "rallentamento, 500, 30, 150, 1, 1, 0", "slowdown-unannounced"},
    {SourceKind::train, "sabbia, 1, 0", "fields-left-over"},
    {SourceKind::train, "stazione, 2000, 99, 600, 1,0,0, 4,1,0, 2,1,1, 40, 9,11,0, X",
     "out-of-range"},
    {SourceKind::train, "stazione, 22000, 2, 600, 1,0,0, 4,1,0, 2,1,1, 40, 9,11,0, X",
     "beyond-route"},
    {SourceKind::train, "segnale, 22000, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0", "beyond-route"},
    {SourceKind::train, "segnale, 9800, 2, 4, 0, 0, 0, 2, 1, 0, 0, 50", "rounded"},
    {SourceKind::line, "curva3, 2500, 1200", "curve-side"},
    // A Greek letter in UTF-8, and a byte Windows-1252 leaves undefined in 8-bit text.
    {SourceKind::train, "stazione, 2000, 2, 600, 1,0,0, 4,1,0, 2,1,1, 40, 19,11,0, \xce\xa9MEGA",
     "text-lossy"},
    {SourceKind::line, "cartello indicatore, 9050, citt\xe0 \x81", "text-lossy"},
    // What the compiler cannot read: error 25 on the record's own line, with the field named.
    {SourceKind::train, "segnale, 13500, 2, 4", "fields-missing", true},
    {SourceKind::train, "velocita' limite, 1000, 1280", "out-of-range", true},
    {SourceKind::line, "pendenza, 1500, -150", "out-of-range", true},
    {SourceKind::line, "[curva]", "header-keyword", true},
    {SourceKind::train, "sabbia, uno", "record-unreadable", true},
};

TEST(CompileWarningsTest, EachLineDrawsItsWarning) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.line);
    const ExampleSources sources = with_line(row.source, row.line);
    const Compiled c = compile(sources);
    if (row.error_25) {
      EXPECT_NE(c.err.find(place(row.source, sources) + ": error 25: "), std::string::npos)
          << c.err;
      EXPECT_EQ(c.status, exit_code::recorded_code);
      continue;
    }
    const std::string drawn = ": warning: ";
    const std::string hint = "(scenario_tool explain " + row.warning + ")";
    EXPECT_NE(c.err.find(place(row.source, sources) + drawn), std::string::npos) << c.err;
    EXPECT_NE(c.err.find(hint), std::string::npos) << c.err;
    // Silenced, it is gone.
    const Compiled quiet = compile(sources, {"no-" + row.warning});
    EXPECT_EQ(quiet.err.find(hint), std::string::npos) << quiet.err;
  }
}

// A record the compiler cannot read draws an error 25 on its line instead of its warning.
TEST(CompileWarningsTest, EveryWarningDrawsItselfFromItsOwnExample) {
  for (const WarningInfo& w : all_warnings()) {
    SCOPED_TRACE(std::string(w.id));
    const bool whole = w.example_source == SourceKind::none;
    const ExampleSources sources = whole ? example_sources_without(std::string(w.example))
                                         : with_line(w.example_source, std::string(w.example));
    const Compiled c = compile(sources);
    const bool warned =
        c.err.find("(scenario_tool explain " + std::string(w.id) + ")") != std::string::npos;
    const bool failed = !whole && c.err.find(place(w.example_source, sources) + ": error 25: ") !=
                                      std::string::npos;
    EXPECT_TRUE(warned || failed) << c.err;
  }
}

TEST(CompileWarningsTest, AMissingRouteLengthExplainsTheErrorAndNothingWritten) {
  const Compiled c = compile(example_sources({.general = {"sfondo uno, 1"}}));
  EXPECT_EQ(c.status, exit_code::recorded_code);
  EXPECT_NE(c.err.find(": error 25: no \"lunghezza percorso\" record"), std::string::npos) << c.err;
  EXPECT_NE(c.err.find("scenario_tool: error: nothing written: "), std::string::npos) << c.err;
  EXPECT_EQ(c.out.find("wrote"), std::string::npos);
}

TEST(CompileWarningsTest, TheExampleAndTheBuiltInScenarioDrawNoneAndWerrorCounts) {
  const Compiled plain = compile(example_sources({}));
  EXPECT_EQ(plain.err, "");
  EXPECT_EQ(plain.status, exit_code::clean);
  ExampleSources builtin;
  builtin.line = render_lines(contenuto_linea());
  builtin.train = render_lines(contenuto_treno());
  const Compiled b = compile(builtin);
  EXPECT_EQ(b.err, "");
  EXPECT_NE(b.out.find("0 error(s), 0 warning(s)"), std::string::npos);

  MemoryFileSystem fs;
  const ExampleSources rounded = with_line(SourceKind::train, "velocita' limite, 1000, 7");
  fs.put("/s/R_linea.txt", *rounded.line);
  fs.put("/s/R_1-.txt", rounded.train);
  CompileOptions o{"/s/R_linea.txt", "/s/R_1-.txt", "/o", {}, {}, false, true, {}};
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(run_compile(o, fs, out, err), exit_code::recorded_code);
  o.warning_flags = {"no-such-warning"};
  EXPECT_EQ(run_compile(o, fs, out, err), exit_code::usage);
}

}  // namespace
}  // namespace scenario::tool
