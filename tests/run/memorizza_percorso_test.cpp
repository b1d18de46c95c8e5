// The run's compile step against the compile alone: the same sources give the same code and the
// same bytes whether they go through the run's folder or straight into the compile, and the run
// leaves no source behind, however the compile ends and whichever of its reads and deletions fail.
#include "run/memorizza_percorso.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/faulty_file_system.h"
#include "platform/memory_file_system.h"
#include "run/builtin_scenario.h"
#include "sources/writers.h"
#include "support/sources.h"
#include "synthetic_scenario.h"

namespace scenario {
namespace {

using testing::crlf;

const ScenarioNames kNames{"/run", builtin_route_id, builtin_train_number};

struct Sources {
  std::string what;
  std::string line;
  std::optional<std::string> train;
};

// The built-in sources as the run writes them.
Sources builtin_sources() {
  MemoryFileSystem fs;
  dati_linea(kNames, fs);
  dati_treno(kNames, fs);
  return {"built-in", *fs.contents(line_source_path(kNames)),
          *fs.contents(train_source_path(kNames))};
}

// The built-in scenario, synthetic ones with varied values, and sources that stop the reading in
// each of its places: in the line source, in the train source, before a track, at a header slot.
std::vector<Sources> sources_to_compare() {
  std::vector<Sources> all{builtin_sources()};
  for (std::uint32_t seed : {0u, 1u, 2u}) {
    const synthetic::Scenario s = synthetic::make_scenario(20000, seed);
    all.push_back({"synthetic seed " + std::to_string(seed), s.line_source, s.train_source});
  }
  const std::string line = crlf({"[generale]", "lunghezza percorso, 10000", "[pendenze]"});
  all.push_back({"line source stops",
                 line + crlf({"indicatori_vmax, 1000, 100, 100, 100, 0, 0, 0, 0, 0",
                              "cartello indicatore, 1000, X", "[fine]"}),
                 crlf({"[generale]", "sabbia, 1", "[fine]"})});
  all.push_back({"train source stops", line + crlf({"[fine]"}),
                 crlf({"[generale]", "segnale, 1000, 1,3,4,0,0, 0,0,0,0,0",
                       "segnale, 1000, 1,3,4,0,0, 0,0,0,0,0", "[fine]"})});
  all.push_back({"no train source", line + crlf({"[fine]"}), std::nullopt});
  all.push_back({"no track", crlf({"[generale]", "[fine]"}), crlf({"[generale]"})});
  all.push_back({"header conflict",
                 line + crlf({"indicatori_vmax, 0, 120, 0, 0, 0, 120, 0, 0, 0", "[fine]"}),
                 crlf({"[generale]", "[fine]"})});
  return all;
}

void put(MemoryFileSystem& fs, const Sources& s) {
  fs.put(line_source_path(kNames), s.line);
  if (s.train) fs.put(train_source_path(kNames), *s.train);
}

// What the folder holds of the compiled files, in the order the compile makes them.
CompiledFileBytes compiled_in(const MemoryFileSystem& fs) {
  return {fs.contents(line_file_path(kNames)), fs.contents(table_file_path(kNames)).value_or(""),
          fs.contents(track_file_path(kNames)).value_or("")};
}

void expect_same(const CompiledFileBytes& run, const CompiledFileBytes& alone) {
  EXPECT_EQ(run.line.has_value(), alone.line.has_value());
  EXPECT_TRUE(run.line == alone.line) << "the line files differ";
  EXPECT_TRUE(run.table == alone.table) << "the table files differ";
  EXPECT_TRUE(run.track == alone.track) << "the track files differ";
}

void expect_same_code(const RecordedCode& run, const RecordedCode& alone) {
  EXPECT_EQ(run.code, alone.code);
  EXPECT_EQ(run.has_pos, alone.has_pos);
  if (run.has_pos && alone.has_pos) {
    EXPECT_EQ(run.pos, alone.pos);
  }
}

TEST(MemorizzaPercorsoTest, TheRunGivesTheBytesOfTheCompileAloneAndLeavesNoSource) {
  for (const bool build_line : {true, false}) {
    for (const Sources& s : sources_to_compare()) {
      SCOPED_TRACE(s.what + (build_line ? "" : ", no line geometry"));
      MemoryFileSystem fs;
      put(fs, s);
      const RunCompile run = memorizza_percorso(kNames, fs, {.build_line = build_line});
      const CompileResult alone = compile_sources({{kNames.route_id, kNames.train_number},
                                                   testing::sources_of(s.line, s.train),
                                                   {.build_line = build_line}});
      expect_same_code(run.result.code, alone.code);
      EXPECT_EQ(run.result.header_conflict, alone.header_conflict);
      EXPECT_EQ(run.written.size(), alone.files().size());
      expect_same(compiled_in(fs), alone.file_bytes());
      for (const std::string& path : fs.paths()) {
        EXPECT_NE(path, line_source_path(kNames));
        EXPECT_NE(path, train_source_path(kNames));
      }
    }
  }
}

// A failed read or deletion of the run is the compile of the sources as the run found them; the
// train source is not read after a line source that could not be read or deleted, and no source
// stays, the failed deletion being tried again at once.
TEST(MemorizzaPercorsoTest, AFailedReadOrDeletionIsTheCompileOfTheSourcesAsFound) {
  const Sources builtin = builtin_sources();
  const SourceText line = SourceText::of(builtin.line);
  const SourceText train = SourceText::of(*builtin.train);
  SourceText line_kept = line;
  line_kept.deletion_failed = true;
  SourceText train_kept = train;
  train_kept.deletion_failed = true;
  const SourceText unreadable{SourceText::State::unreadable, {}, false};
  struct Case {
    std::string kind;
    int n;
    ScenarioSources as_found;
    int reads;
  };
  const std::vector<Case> cases{
      {"read", 1, {unreadable, {}}, 1},
      {"read", 2, {line, unreadable}, 2},
      {"remove", 1, {line_kept, {}}, 1},
      {"remove", 2, {line, train_kept}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind + " " + std::to_string(c.n));
    MemoryFileSystem disk;
    put(disk, builtin);
    FaultyFileSystem fs(disk);
    fs.fail_kind = c.kind;
    fs.fail_at = c.n;
    const RunCompile run = memorizza_percorso(kNames, fs, {});
    const CompileResult alone =
        compile_sources({{kNames.route_id, kNames.train_number}, c.as_found, {}});
    EXPECT_EQ(run.result.code.code, Code::failure);
    expect_same_code(run.result.code, alone.code);
    expect_same(compiled_in(disk), alone.file_bytes());
    EXPECT_EQ(fs.counts["read"], c.reads);
    EXPECT_FALSE(disk.has(line_source_path(kNames)));
    EXPECT_FALSE(disk.has(train_source_path(kNames)));
  }
}

TEST(MemorizzaPercorsoTest, WithoutALineSourceTheTrainSourceIsDeletedUnread) {
  MemoryFileSystem disk;
  disk.put(train_source_path(kNames), crlf({"[generale]", "sabbia, 1"}));
  FaultyFileSystem fs(disk);
  const RunCompile run = memorizza_percorso(kNames, fs, {});
  EXPECT_EQ(run.result.code.code, Code::no_line_source);
  EXPECT_TRUE(run.written.empty());
  EXPECT_EQ(fs.counts["read"], 0);
  EXPECT_TRUE(disk.paths().empty());
}

}  // namespace
}  // namespace scenario
