// Realistic authoring mistakes against a scenario written from the format reference alone, one
// row each: the edit, and the diagnostics it must draw (the first one, and for two mistakes in one
// run both), each on the line of the record the author got wrong. A row with an error must write
// nothing and end with status 2; the rows marked silent still pass without a word (they need the
// engineering checks on the sources, which `compile` does not make yet).
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "platform/memory_file_system.h"
#include "scenario_tool/compile/error_search.h"
#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {
namespace {

const std::vector<std::string> kLine{
    "Percorso Borgo Rivo - Colle Ferro",
    "- Linea a binario semplice scritta per le prove degli errori.",
    "inizio_dati",
    "",
    "[generale]",
    "lunghezza percorso,                36000",
    "progressiva chilometrica uno,      0, 0, 0",
    "progressiva chilometrica due,      0, 0, 0",
    "progressiva chilometrica tre,      0, 0, 0",
    "sfondo uno,                        2",
    "sfondo due,                        0",
    "sfondo tre,                        0",
    "ripetizione segnali 4 codici,      2000, 34000",
    "",
    "[pendenze]",
    "pendenza,  0,      0",
    "pendenza,  2500,   6",
    "pendenza,  7000,   12",
    "pendenza,  11500,  -4",
    "pendenza,  16000,  8",
    "pendenza,  22000,  0",
    "pendenza,  27500,  -10",
    "pendenza,  31000,  0",
    "",
    "[curve]",
    "curvas3,   3200,   400",
    "curvad5,   6100,   250",
    "curvas4,   9800,   500",
    "curvad6,   14300,  200",
    "curvas5,   18700,  300",
    "curvad3,   24100,  800",
    "curvas4,   29500,  350",
    "",
    "[cartelli]",
    "indicatori_vmax,  1800,   100, 100, 100, 0,  100, 100, 100, 0",
    "indicatori_vmax,  12950,  80, 80, 80, 0,  80, 80, 80, 0",
    "indicatori_vmax,  21500,  110, 110, 110, 0,  110, 110, 110, 0",
    "",
    "[montagne]",
    "montagna,  8000,   9200,   1",
    "montagna,  15100,  15600,  2",
    "montagna,  26000,  27200,  11",
    "",
    "[indicazioni]",
    "cartello indicatore,  5050,   (  Km. ) (5.000)",
    "cartello indicatore,  20050,  ( Ponte  ) (sul Rivo)",
    "[fine]",
};

const std::vector<std::string> kTrain{
    "Treno 3021 Borgo Rivo - Colle Ferro",
    "- Regionale con sei carrozze.",
    "inizio_dati",
    "",
    "[generale]",
    "numero vetture,             6",
    "percentuale massa frenata,  115",
    "sabbia,                     1",
    "orologio,                   7 40 0",
    "",
    "[aderenze]",
    "aderenza,  0, 100",
    "aderenza,  15000, 80",
    "",
    "[vel_limite]",
    "velocita' limite,     0,  100",
    "velocita' limite,  13000,  80",
    "velocita' limite,  21500, 110",
    "",
    "[stazioni]",
    "stazione,   500,  2, 600,  1, 0, 0,  4, 1, 0,  2, 1, 0,   1,  7, 45, 0,  BORGO RIVO",
    "stazione,  9500,  2, 600,  1, 0, 0,  1, 1, 0,  4, 1, 1,   0,  7, 52, 0,  SAN LORENZO",
    "stazione,  17500,  2, 600,  1, 0, 0,  1, 1, 0,  4, 1, 1,   0,  8, 0, 30,  VALLE ROSSA",
    "stazione,  25000,  4, 600,  1, 0, 0,  1, 1, 0,  4, 1, 1,   0,  0, 0, 0,  CASE BRUCIATE",
    "stazione,  35000,  2, 600,  1, 0, 0,  1, 1, 0,  4, 1, 1,   0,  8, 15, 0,  COLLE FERRO",
    "",
    "[rallentamenti]",
    "rallentamento,  11600, 40, 300, 1, 1, 0",
    "rallentamento,  28500, 60, 400, 1, 1, 0",
    "",
    "[segnali]",
    "segnale,  1500,  2, 4, 0, 0, 0,  2, 1, 0, 0,  0",
    "segnale,  4500,  2, 4, 0, 0, 0,  2, 1, 0, 0,  0",
    "segnale,  8900,  2, 4, 0, 0, 0,  2, 1, 0, 0,  0",
    "segnale,  13500,  2, 4, 0, 0, 0,  2, 1, 0, 0,  0",
    "segnale,  17000,  2, 4, 0, 0, 0,  2, 1, 0, 0,  0",
    "segnale,  20500,  2, 4, 0, 0, 0,  2, 1, 0, 0,  0",
    "segnale,  24400,  2, 4, 0, 0, 0,  2, 1, 0, 0,  0",
    "segnale,  31500,  2, 4, 0, 0, 0,  2, 1, 0, 0,  0",
    "segnale,  34500,  2, 4, 0, 0, 0,  2, 1, 0, 0,  0",
    "",
    "[codici]",
    "abbattimento codice,  33000, 0",
    "[fine]",
};

constexpr const char* kLinePath = "/s/Borgo_Rivo_linea.txt";
constexpr const char* kTrainPath = "/s/Borgo_Rivo_3021-.txt";

enum Source { L, T };

struct Edit {
  Source source;
  std::string from;
  std::string to;
};

struct Expected {
  Source source;
  int line;
  const char* severity;  // "error" or "warning"
};

struct Mistake {
  const char* what;
  std::vector<Edit> edits;
  std::vector<Expected> expected;
  const char* says = "";  // what the first diagnostic must say, when its cause is precise
  bool check = false;     // caught by compile --check only: it compiles as written
};

const std::string kSignal = "segnale,  30000,  2, 4, 0, 0, 0,  2, 1, 0, 0,  0";

const Mistake kMistakes[] = {
    {"keyword typo",
     {{L, "pendenza,  7000,", "pendenze,  7000,"}},
     {{L, 18, "error"}},
     "(did you mean \"pendenza\"?)"},
    {"route length in km",
     {{L, "lunghezza percorso,                36000", "lunghezza percorso,                36"}},
     {{L, 6, "warning"}, {L, 18, "error"}, {T, 13, "error"}},
     "36 m is outside the sensible range"},
    {"decimal point in a gradient", {{L, "11500,  -4", "11500,  -4.5"}}, {{L, 19, "error"}}},
    {"decimal comma in a gradient", {{L, "11500,  -4", "11500,  -4,5"}}, {{L, 19, "warning"}}},
    {"radius in the curve keyword",
     {{L, "curvad5,   6100,", "curvad300,   6100,"}},
     {{L, 27, "error"}},
     "it is compiled as class 3 (radius 2500 m)"},
    {"tunnels overlap",
     {{L, "montagna,  15100,  15600,  2", "montagna,  9000,  9600,  2"}},
     {{L, 41, "warning"}},
     "overlaps the one at :40 (8000 to 9200 m)",
     true},
    {"[generale] misspelt in the line source",
     {{L, "[generale]", "[generle]"}},
     {{L, 5, "error"}},
     "error 102: \"[generle]\" is not the \"[generale]\" header (did you mean \"[generale]\"?)"},
    {"a signal in the line source",
     {{L, "[montagne]", kSignal + "\r\n[montagne]"}},
     {{L, 39, "error"}},
     "\"segnale\" is a record of the train source"},
    {"a gradient in the general section",
     {{L, "sfondo uno,                        2\r\n",
       "sfondo uno,                        2\r\npendenza, 500, 3\r\n"}},
     {{L, 11, "error"}},
     "stands in the general section"},
    {"a general keyword typo",
     {{L, "sfondo uno,", "sfondo un,"}},
     {{L, 10, "error"}},
     "(did you mean \"sfondo uno\"?)"},
    {"a board on a sign's cell",
     {{L, "indicatori_vmax,  12950,", "indicatori_vmax,  5050,"}},
     {{L, 45, "error"}},
     "needs cell 102, held by the speed board at :36"},
    {"a comma in a sign's text",
     {{L, "( Ponte  ) (sul Rivo)", "( Ponte, sul Rivo)"}},
     {{L, 46, "warning"}}},
    {"code repetition end not a multiple of 50",
     {{L, "2000, 34000", "2000, 34020"}},
     {{L, 13, "error"}}},
    {"a curve without its side",
     {{L, "curvas4,   9800,", "curva4,   9800,"}},
     {{L, 28, "warning"}}},
    {"a tunnel end before its start",
     {{L, "montagna,  26000,  27200,  11", "montagna,  27200,  26000,  11"}},
     {{L, 42, "warning"}}},
    {"gradients out of order",
     {{L, "pendenza,  22000,", "pendenza,  2200,"}},
     {{L, 21, "warning"}}},
    {"a section header that is a keyword", {{L, "[curve]", "[curva]"}}, {{L, 25, "error"}}},
    {"a curve without its class",
     {{L, "curvad6,   14300,", "curvad,   14300,"}},
     {{L, 29, "error"}}},
    {"the clock with colons", {{T, "7 40 0", "7:40:00"}}, {{T, 9, "error"}}},
    {"a speed off the 5 km/h steps", {{T, "13000,  80", "13000,  82"}}, {{T, 17, "warning"}}},
    {"a position in km", {{T, "21500, 110", "21.5, 110"}}, {{T, 18, "error"}}},
    {"two stations swapped",
     {{T, "stazione,  9500,", "stazione,  X,"},
      {T, "stazione,  17500,", "stazione,  9500,"},
      {T, "stazione,  X,", "stazione,  17500,"}},
     {{T, 23, "error"}},
     "comes after the one at km 17.500 (:22) but lies before it"},
    {"a station too close to the one before",
     {{T, "stazione,  17500,", "stazione,  10000,"}},
     {{T, 23, "error"}},
     "less than 350 m after the end of the previous one"},
    {"a station off the 50 m grid",
     {{T, "stazione,  25000,", "stazione,  25020,"}},
     {{T, 24, "error"}}},
    {"a station length of 650 m", {{T, "25000,  4, 600,", "25000,  4, 650,"}}, {{T, 24, "error"}}},
    {"a slowdown announced on a stop",
     {{T, "rallentamento,  11600,", "rallentamento,  11000,"}},
     {{T, 28, "error"}},
     "needs cell 195 for its announce, held by the station at :22 (its stop cell)"},
    {"a signal before 325 m",
     {{T, "segnale,  1500,", "segnale,  300,"}},
     {{T, 32, "error"}},
     "the signal at km 0.300 lies before km 0.325"},
    {"a signal on a slowdown's start",
     {{T, "segnale,  31500,", "segnale,  28500,"}},
     {{T, 39, "error"}},
     "needs cell 571, held by the slowdown at :29 (its start)"},
    {"a slowdown moved onto a signal's cell",
     {{T, "rallentamento,  28500,", "rallentamento,  32700,"}},
     {{T, 29, "error"}},
     "error 16: the slowdown at /s/Borgo_Rivo_3021-.txt:29 needs cell 631 for its warning cell, "
     "held by the signal at :39"},
    {"a slowdown length in km", {{T, "28500, 60, 400,", "28500, 60, 0.4,"}}, {{T, 29, "error"}}},
    {"a slowdown keyword typo",
     {{T, "rallentamento,  11600,", "rallentamneto,  11600,"}},
     {{T, 28, "error"}},
     "(did you mean \"rallentamento\"?)"},
    {"a gradient in the train source",
     {{T, "[segnali]", "pendenza, 5000, 3\r\n[segnali]"}},
     {{T, 31, "error"}},
     "\"pendenza\" is a record of the line source"},
    {"a record after [fine]",
     {{T, "[codici]\r\nabbattimento codice,  33000, 0\r\n[fine]",
       "[fine]\r\nabbattimento codice,  33000, 0"}},
     {{T, 43, "error"}},
     "stands after the \"[fine]\" end marker"},
    {"[generale] misspelt in the train source",
     {{T, "[generale]", "[generael]"}},
     {{T, 5, "error"}},
     "is not the \"[generale]\" header"},
    {"an arrival hour slip",
     {{T, "8, 0, 30,", "18, 0, 30,"}},
     {{T, 23, "warning"}, {T, 25, "error"}},
     "an hour written where minutes were meant?",
     true},
    {"the clock after the first departure",
     {{T, "7 40 0", "7 50 0"}},
     {{T, 9, "warning"}},
     "after the first departure, 07:45:00 at :21",
     true},
    {"a slowdown faster than the line",
     {{T, "rallentamento,  11600, 40,", "rallentamento,  11600, 140,"}},
     {{T, 28, "warning"}},
     "above the line limit of 100 km/h there",
     true},
    {"two curves overlap",
     {{L, "curvas4,   9800,   500", "curvas4,   6200,   500"}},
     {{L, 28, "warning"}},
     "overlaps the one at :27",
     true},
    {"a departure minute slip that makes a section too short",
     {{T, "7, 52, 0,", "7, 47, 0,"}},
     {{T, 22, "error"}},
     "",
     true},
    {"a signal with a field missing",
     {{T, "0, 0,  2, 1, 0, 0,  0\r\nsegnale,  8900", "0, 0,  2, 1, 0, 0\r\nsegnale,  8900"}},
     {{T, 33, "error"}}},
    {"a route length over the limit",
     {{L, "lunghezza percorso,                36000",
       "lunghezza percorso,                3600000"}},
     {{L, 6, "error"}}},
    {"a kilometre point off the 50 m grid",
     {{L, "progressiva chilometrica uno,      0, 0, 0",
       "progressiva chilometrica uno,      120, 0, 0"}},
     {{L, 7, "error"}},
     "the start at km 0.120 is off the 50 m grid"},
    {"two stations at one position",
     {{T, "stazione,  17500,", "stazione,  9500,"}},
     {{T, 23, "error"}},
     "stands at the same position as the one before it (:22)"},
    {"a code cut on a signal's cell",
     {{T, "abbattimento codice,  33000", "abbattimento codice,  31550"}},
     {{T, 43, "error"}},
     "needs cell 631, held by the signal at :39"},
    {"a tunnel without its type",
     {{L, "montagna,  8000,   9200,   1", "montagna,  8000,   9200"}},
     {{L, 40, "error"}},
     "the values from tipo on are missing"},
    {"a curve length in km",
     {{L, "curvas3,   3200,   400", "curvas3,   3200,   0.4"}},
     {{L, 26, "error"}}},
    {"a signal moved into a station's approach",
     {{T, "segnale,  8900,", "segnale,  9750,"}},
     {{T, 34, "warning"}},
     "where the station at :22 writes its own",
     true},
    {"two: a word for the sand, a signal before 325 m",
     {{T, "sabbia,                     1", "sabbia,                     si"},
      {T, "segnale,  1500,", "segnale,  300,"}},
     {{T, 8, "error"}, {T, 32, "error"}}},
    {"two: a signal on a board, a keyword typo",
     {{T, "segnale,  20500,", "segnale,  21500,"},
      {T, "abbattimento codice", "abbatimento codice"}},
     {{T, 37, "error"}, {T, 43, "error"}},
     "held by the speed board at /s/Borgo_Rivo_linea.txt:37"},
    {"two in the line source: a repetition end, a decimal point",
     {{L, "2000, 34000", "2000, 34020"}, {L, "pendenza,  16000,  8", "pendenza,  16000,  8.0"}},
     {{L, 13, "error"}, {L, 20, "error"}}},
    {"two curves without their class",
     {{L, "curvad6,   14300,", "curvad,   14300,"}, {L, "curvas4,   29500,", "curvas,   29500,"}},
     {{L, 29, "error"}, {L, 32, "error"}}},
    {"two, one in each source: a curve without class, a station off the grid",
     {{L, "curvad6,   14300,", "curvad,   14300,"}, {T, "stazione,  25000,", "stazione,  25020,"}},
     {{L, 29, "error"}, {T, 24, "error"}}},
};

std::string text_of(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  return text;
}

struct Compiled {
  int status;
  std::string out;
  std::vector<std::string> diagnostics;  // the lines of standard error
  bool wrote;
};

Compiled compile(const std::string& line, const std::string& train, bool check = false) {
  MemoryFileSystem fs;
  fs.put(kLinePath, line);
  fs.put(kTrainPath, train);
  CompileOptions o;
  o.line_source = kLinePath;
  o.train_source = kTrainPath;
  o.out_dir = "/o";
  o.check = check;
  std::ostringstream out;
  std::ostringstream err;
  const int status = run_compile(o, fs, out, err);
  Compiled r{status, out.str(), {}, fs.kind_of("/o/Borgo_Rivo_3021.dat") != PathKind::missing};
  std::istringstream lines(err.str());
  for (std::string l; std::getline(lines, l);) r.diagnostics.push_back(l);
  return r;
}

std::string place(const Expected& e) {
  return std::string(e.source == L ? kLinePath : kTrainPath) + ":" + std::to_string(e.line) + ": " +
         e.severity;
}

TEST(CompileMistakesTest, TheScenarioCompilesClean) {
  const Compiled checked = compile(text_of(kLine), text_of(kTrain), true);
  EXPECT_TRUE(checked.diagnostics.empty()) << checked.diagnostics.front();
  const Compiled r = compile(text_of(kLine), text_of(kTrain));
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.diagnostics.empty());
  EXPECT_EQ(r.out.substr(r.out.rfind("0 error(s)")), "0 error(s), 0 warning(s)\n");
  EXPECT_TRUE(r.wrote);
}

TEST(CompileMistakesTest, EachMistakeIsToldOnItsOwnLineAndAnErrorWritesNothing) {
  static_assert(std::size(kMistakes) >= 30);
  for (const Mistake& m : kMistakes) {
    SCOPED_TRACE(m.what);
    std::string line = text_of(kLine);
    std::string train = text_of(kTrain);
    for (const Edit& e : m.edits) {
      std::string& text = e.source == L ? line : train;
      const auto at = text.find(e.from);
      ASSERT_NE(at, std::string::npos) << e.from;
      text.replace(at, e.from.size(), e.to);
    }
    if (m.check) {
      // Without --check it compiles as written, without a word.
      EXPECT_TRUE(compile(line, train).diagnostics.empty());
    }
    const Compiled r = compile(line, train, m.check);
    ASSERT_FALSE(r.diagnostics.empty());
    EXPECT_NE(r.diagnostics.front().find(m.says), std::string::npos) << r.diagnostics.front();
    EXPECT_TRUE(r.diagnostics.front().starts_with(place(m.expected.front())))
        << r.diagnostics.front();
    int errors = 0;
    for (const Expected& e : m.expected) {
      errors += std::string(e.severity) == "error";
      const bool found = std::any_of(r.diagnostics.begin(), r.diagnostics.end(),
                                     [&](const std::string& d) { return d.starts_with(place(e)); });
      EXPECT_TRUE(found) << place(e);
    }
    // Every error is found in the one run, and none leaves files behind.
    const std::string last = r.out.substr(r.out.rfind('\n', r.out.size() - 2) + 1);
    EXPECT_TRUE(last.starts_with(std::to_string(errors) + " error(s)")) << r.out;
    EXPECT_EQ(r.status, errors > 0 ? 2 : 0);
    EXPECT_EQ(r.wrote, errors == 0);
  }
}

// The search blanks a line and keeps every other, whatever ends the lines.
TEST(CompileMistakesTest, BlankingALineKeepsTheLineCount) {
  EXPECT_EQ(blank_line("a\r\nbb\r\nc", 2), "a\r\n\r\nc");
  EXPECT_EQ(blank_line("a\nbb\rc", 2), "a\n\rc");
  EXPECT_EQ(blank_line("a\nbb", 2), "a\n");
  EXPECT_EQ(blank_line("a\nbb", 3), "a\nbb");
  EXPECT_EQ(blank_line("a\r\nb", 1), "\r\nb");
}

}  // namespace
}  // namespace scenario::tool
