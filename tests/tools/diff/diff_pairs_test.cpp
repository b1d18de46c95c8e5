// `diff` on pairs of compiles of the built-in sources that differ by one source edit each: every
// pair must report that change, in the author's terms, and nothing else.
#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "platform/memory_file_system.h"
#include "platform/paths.h"
#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {
namespace {

using nlohmann::json;

constexpr const char* kTrack = "Valdora_Lusa_24863.dat";
constexpr const char* kTable = "Valdora_Lusa_24863.sim";

// A file in a folder as the tool names it (with a backslash on Windows).
std::string in(const std::string& folder, const std::string& name) {
  return join_path(folder, name);
}

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

ToolRun diff(MemoryFileSystem& fs, std::vector<std::string> paths, bool as_json) {
  std::ostringstream out;
  std::ostringstream err;
  ToolRun r;
  r.status = run_diff(DiffOptions{std::move(paths), as_json}, fs, out, err);
  r.out = out.str();
  r.err = err.str();
  return r;
}

// One source edit: `from` becomes `to` in the line source or the train source.
struct Edit {
  bool in_line_source = false;
  std::string from;
  std::string to;
};

// The built-in sources, compiled with the edit into `folder`.
void compile_edited(MemoryFileSystem& fs, const std::string& folder, const Edit& edit) {
  std::string line = fs.contents(in("/src", "Valdora_Lusa_linea.txt")).value_or("");
  std::string train = fs.contents(in("/src", "Valdora_Lusa_24863-.txt")).value_or("");
  std::string& text = edit.in_line_source ? line : train;
  const auto at = text.find(edit.from);
  ASSERT_NE(at, std::string::npos) << edit.from;
  text.replace(at, edit.from.size(), edit.to);
  const std::string sources = folder + "_src";
  CompileOptions o;
  o.line_source = in(sources, "Valdora_Lusa_linea.txt");
  o.train_source = in(sources, "Valdora_Lusa_24863-.txt");
  fs.put(o.line_source, line);
  fs.put(o.train_source, train);
  o.out_dir = folder;
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(run_compile(o, fs, out, err), exit_code::clean) << err.str();
}

// The groups of a diff that hold differences.
std::set<std::string> groups_with_differences(const json& d) {
  std::set<std::string> out;
  for (const char* g : {"identifiers", "general", "stations", "signboards", "features", "stretches",
                        "approach_codes", "unexplained"}) {
    if (!d.at(g).empty()) out.insert(g);
  }
  if (!d.at("line_geometry").is_null() && !d.at("line_geometry").at("same").get<bool>()) {
    out.insert("line_geometry");
  }
  return out;
}

class DiffPairs : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    fs_ = new MemoryFileSystem;
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(run_template(TemplateOptions{"/src"}, *fs_, out, err), exit_code::clean);
    compile_edited(*fs_, "/old", Edit{false, "", ""});
  }
  static void TearDownTestSuite() {
    delete fs_;
    fs_ = nullptr;
  }

  // The diff, as JSON, from the unedited compile to one with `edit`.
  static json diff_of(const Edit& edit, const std::string& folder) {
    compile_edited(*fs_, folder, edit);
    const ToolRun r = diff(*fs_, {"/old", folder}, true);
    EXPECT_EQ(r.status, exit_code::differences) << r.err;
    EXPECT_EQ(r.err, "");
    return json::parse(r.out);
  }

  static MemoryFileSystem* fs_;
};

MemoryFileSystem* DiffPairs::fs_ = nullptr;

// Cell of a point feature at p metres.
std::int64_t cell_of(std::int64_t p) { return p / 50 + 1; }

struct PairCase {
  const char* name;
  Edit edit;
  std::set<std::string> groups;
  std::function<void(const json&)> check;
};

TEST_F(DiffPairs, EachEditReportsItsChangeAndNothingElse) {
  const std::vector<PairCase> cases{
      {"signal moved",
       {false, "segnale,  13700,", "segnale,  13800,"},
       {"features", "approach_codes"},
       [](const json& d) {
         ASSERT_EQ(d.at("features").size(), 1u) << d.at("features").dump(1);
         const json& f = d.at("features").at(0);
         EXPECT_EQ(f.at("change"), "moved");
         EXPECT_EQ(f.at("kind_name"), "signal");
         EXPECT_EQ(f.at("index"), cell_of(13700));
         EXPECT_EQ(f.at("to").at("index"), cell_of(13800));
         EXPECT_EQ(f.at("meaning").at("left").at("aspects"), json({3, 4, 0}));
         // The approach codes that changed are the signal's own, just before it.
         for (const json& r : d.at("approach_codes")) {
           EXPECT_GE(r.at("first_cell").get<int>(), cell_of(13700) - 20) << r.dump();
           EXPECT_LE(r.at("last_cell").get<int>(), cell_of(13800)) << r.dump();
         }
       }},
      {"signal moved beyond the window of a move",
       {false, "segnale,  13700,", "segnale,  14800,"},
       {"features", "approach_codes"},
       [](const json& d) {
         ASSERT_EQ(d.at("features").size(), 2u) << d.at("features").dump(1);
         EXPECT_EQ(d.at("features").at(0).at("change"), "removed");
         EXPECT_EQ(d.at("features").at(0).at("index"), cell_of(13700));
         EXPECT_EQ(d.at("features").at(1).at("change"), "added");
         EXPECT_EQ(d.at("features").at(1).at("index"), cell_of(14800));
       }},
      {"time changed",
       {false, "19,23, 0, MERVA", "19,25, 0, MERVA"},
       {"stations"},
       [](const json& d) {
         EXPECT_EQ(d.at("stations"),
                   json::parse(R"([{"change": "changed", "name": "MERVA", "position_m": 15900,
                     "columns": [{"column": "time", "old": "19:23:00", "new": "19:25:00"}]}])"));
       }},
      {"station added",
       {false, "stazione,  19150,",
        "stazione,  17500,  4, 500,  0, 0, 1,   1,1,0,  3,1,1, 60, 19,26, 0, NUOVA\r\n"
        "stazione,  19150,"},
       {"stations", "features", "approach_codes"},
       [](const json& d) {
         ASSERT_EQ(d.at("stations").size(), 1u) << d.at("stations").dump(1);
         EXPECT_EQ(d.at("stations").at(0).at("change"), "added");
         EXPECT_EQ(d.at("stations").at(0).at("name"), "NUOVA");
         EXPECT_EQ(d.at("stations").at(0).at("station").at("time"), "19:26:00");
         // Every later station's entry moved up by one: that is no change of theirs.
         ASSERT_EQ(d.at("features").size(), 1u) << d.at("features").dump(1);
         EXPECT_EQ(d.at("features").at(0).at("change"), "added");
         EXPECT_EQ(d.at("features").at(0).at("kind_name"), "station_stop");
         EXPECT_EQ(d.at("features").at(0).at("meaning").at("station"), "NUOVA");
       }},
      {"slowdown's speed changed",
       {false, "rallentamento,  10500, 30,", "rallentamento,  10500, 40,"},
       {"features"},
       [](const json& d) {
         std::set<std::string> kinds;
         for (const json& f : d.at("features")) {
           EXPECT_EQ(f.at("change"), "changed");
           EXPECT_EQ(f.at("old").at("speed_kmh"), 30);
           EXPECT_EQ(f.at("new").at("speed_kmh"), 40);
           kinds.insert(f.at("kind_name").get<std::string>());
         }
         EXPECT_EQ(kinds,
                   (std::set<std::string>{"slowdown_warning", "slowdown_start", "slowdown_end"}));
       }},
      {"slowdown moved by 100 m",
       {false, "rallentamento,  10500, 30,", "rallentamento,  10600, 30,"},
       {"features"},
       [](const json& d) {
         // Its announce cells move by less than their own run: they still read as moved.
         std::multiset<std::string> kinds;
         for (const json& f : d.at("features")) {
           EXPECT_EQ(f.at("change"), "moved") << f.dump();
           if (f.at("kind_name").get<std::string>().starts_with("slowdown")) {
             EXPECT_EQ(f.at("to").at("index").get<int>() - f.at("index").get<int>(), 2) << f.dump();
           }
           kinds.insert(f.at("kind_name").get<std::string>());
         }
         EXPECT_EQ(kinds.count("slowdown_announce"), 4u);
         for (const char* k : {"slowdown_warning", "slowdown_start", "slowdown_end"}) {
           EXPECT_EQ(kinds.count(k), 1u) << k;
         }
       }},
      {"curve class changed",
       {true, "curvad2,  12900, 800", "curvad3,  12900, 800"},
       {"line_geometry"},
       [](const json& d) {
         const json& g = d.at("line_geometry");
         ASSERT_EQ(g.at("step_changes").size(), 1u) << g.dump(1);
         const json& s = g.at("step_changes").at(0);
         EXPECT_EQ(s.at("old"), json({{"curve_class", 2}, {"side", "d"}}));
         EXPECT_EQ(s.at("new"), json({{"curve_class", 3}, {"side", "d"}}));
         EXPECT_EQ(s.at("last_m").get<int>() - s.at("first_m").get<int>() + 1, 800);
         EXPECT_EQ(g.at("parts_at_m"), s.at("first_m"));
         EXPECT_GT(g.at("greatest_distance_m").get<double>(), 100.0);
         EXPECT_EQ(g.at("old_metres"), g.at("new_metres"));
       }},
      {"route length changed",
       {true, "lunghezza percorso,    82000", "lunghezza percorso,    83000"},
       {"general", "line_geometry"},
       [](const json& d) {
         EXPECT_EQ(d.at("general"), json::parse(R"js([
           {"item": "route length (m)", "old": 82000, "new": 83000},
           {"item": "cells", "old": 1781, "new": 1801}])js"));
         const json& g = d.at("line_geometry");
         EXPECT_EQ(g.at("old_metres"), 89001);
         EXPECT_EQ(g.at("new_metres"), 90001);
         EXPECT_TRUE(g.at("parts_at_m").is_null()) << g.dump();
       }},
  };
  int n = 0;
  for (const PairCase& c : cases) {
    SCOPED_TRACE(c.name);
    const json d = diff_of(c.edit, "/new" + std::to_string(++n));
    EXPECT_EQ(groups_with_differences(d), c.groups) << d.dump(1);
    EXPECT_FALSE(d.at("same").get<bool>());
    c.check(d);
  }
}

TEST_F(DiffPairs, TheSameScenarioIsOneLineAndExitZero) {
  compile_edited(*fs_, "/again", Edit{false, "", ""});
  const ToolRun text = diff(*fs_, {"/old", "/again"}, false);
  EXPECT_EQ(text.status, exit_code::clean) << text.err;
  EXPECT_EQ(text.out, "no difference: the same scenario\n");
  // The same files named one by one, and as JSON.
  const ToolRun j = diff(
      *fs_, {in("/old", kTrack), in("/old", kTable), in("/again", kTrack), in("/again", kTable)},
      true);
  EXPECT_EQ(j.status, exit_code::clean) << j.err;
  const json d = json::parse(j.out);
  EXPECT_TRUE(d.at("same").get<bool>());
  EXPECT_EQ(d.at("version"), 1);
  EXPECT_TRUE(d.at("line_geometry").is_null());
}

TEST_F(DiffPairs, TheTextSaysWhatMovedWhereInKm) {
  compile_edited(*fs_, "/moved", Edit{false, "segnale,  13700,", "segnale,  13800,"});
  const ToolRun r = diff(*fs_, {"/old", "/moved"}, false);
  EXPECT_EQ(r.status, exit_code::differences);
  EXPECT_NE(
      r.out.find("Features\n  signal moved from km 13.750 to km 13.850 (cell 275 \xE2\x86\x92 "
                 "277): left sx 2 aspects 3 4 0 rapp 0 | right dx 2 aspects 2 1 0 | time 0\n"),
      std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("Approach codes\n"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("Stations"), std::string::npos) << r.out;
}

// git hands its textconv driver a temporary copy whose name ends in the file's own name: the lines
// must not depend on where the file lies.
TEST_F(DiffPairs, TextconvLinesDependOnlyOnTheValues) {
  auto textconv = [](const std::string& path) {
    std::ostringstream out;
    std::ostringstream err;
    InspectOptions o;
    o.paths = {path};
    o.textconv = true;
    EXPECT_EQ(run_inspect(o, *fs_, out, err), exit_code::clean) << err.str();
    return out.str();
  };
  for (const std::string name : {kTrack, kTable}) {
    fs_->put(in("/tmp", "Xy12ab_" + name), fs_->contents(in("/old", name)).value_or(""));
    const std::string lines = textconv(in("/old", name));
    EXPECT_EQ(lines, textconv(in("/tmp", "Xy12ab_" + name)));
    EXPECT_NE(lines, "");
  }
  const std::string table = textconv(in("/old", kTable));
  EXPECT_NE(table.find("\nstation MERVA: type 12, position km 15.900, zone "), std::string::npos)
      << table;
  EXPECT_NE(table.find("\nsignboard \"(  Km. ) (18.600)\": no cell refers to it\n"),
            std::string::npos)
      << table;
}

TEST_F(DiffPairs, AMissingOrDamagedSideAndWrongUsageHaveTheirStatus) {
  compile_edited(*fs_, "/broken", Edit{false, "", ""});
  const std::string track = in("/broken", kTrack);
  const std::string track_bytes = fs_->contents(track).value_or("");
  fs_->put(track, track_bytes.substr(0, track_bytes.size() - 7));
  ToolRun r = diff(*fs_, {"/old", "/broken"}, false);
  EXPECT_EQ(r.status, exit_code::damaged_file);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("scenario_tool: error: diff: " + track + ": damaged track file"),
            std::string::npos)
      << r.err;

  std::string why;
  ASSERT_TRUE(fs_->remove(in("/broken", kTable), &why));
  fs_->put(track, track_bytes);
  r = diff(*fs_, {"/broken", "/old"}, true);
  EXPECT_EQ(r.status, exit_code::io_failure);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("cannot find the table file"), std::string::npos) << r.err;

  EXPECT_EQ(diff(*fs_, {"/old", "/nowhere"}, false).status, exit_code::io_failure);
  EXPECT_EQ(diff(*fs_, {"/old"}, false).status, exit_code::usage);
  EXPECT_EQ(diff(*fs_, {"/old", "/old", "/old"}, false).status, exit_code::usage);
  // Different kinds of file on the two sides.
  r = diff(*fs_, {in("/old", kTrack), in("/old", kTable)}, false);
  EXPECT_EQ(r.status, exit_code::usage);
  EXPECT_NE(r.err.find("on one side only"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace scenario::tool
