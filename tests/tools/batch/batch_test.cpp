// The parts of compile --all: finding the pairs, running tasks at once, the worst status.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <set>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "platform/memory_file_system.h"
#include "platform/paths.h"
#include "scenario_tool/batch/parallel.h"
#include "scenario_tool/batch/scenario_pairs.h"
#include "scenario_tool/batch/summary.h"
#include "scenario_tool/exit_codes.h"
#include "support/test_support.h"

namespace scenario::tool {
namespace {

// A tree of sources on a disk in memory, and what the walk must make of it: pairs grouped by the
// line they share, train sources with no line beside them, and everything else left alone.
TEST(ScenarioPairs, EveryPairIsFoundAndGroupedByItsLine) {
  MemoryFileSystem fs;
  std::string reason;
  const std::string root = "root";
  const std::string deep = join_path(join_path(root, "one"), "two");
  const std::string other = join_path(root, "other");
  ASSERT_TRUE(fs.make_folders(deep, &reason));
  ASSERT_TRUE(fs.make_folders(other, &reason));
  for (const std::string& path :
       {join_path(root, "A_linea.txt"), join_path(root, "A_1-.txt"), join_path(root, "A_2-.txt"),
        // A route whose name begins with another's: its train goes with the longer route.
        join_path(root, "A_B_linea.txt"), join_path(root, "A_B_7-.txt"),
        // Not sources of a pair: no route, another ending, a line alone.
        join_path(root, "_linea.txt"), join_path(root, "A_3.txt"),
        join_path(other, "Alone_linea.txt"),
        // A train with no line beside it (its line is a folder above).
        join_path(deep, "A_4-.txt"), join_path(deep, "C_linea.txt"), join_path(deep, "C_9-.txt")}) {
    ASSERT_TRUE(fs.create(path, &reason)) << path;
  }
  const BatchSources found = find_scenario_pairs(fs, {root, "missing"});

  std::vector<std::vector<std::string>> groups;
  for (const RouteGroup& g : found.groups) {
    groups.emplace_back();
    for (const ScenarioPair& p : g.pairs) {
      groups.back().push_back(join_path(p.folder, p.route_id + "|" + p.train_number));
      EXPECT_EQ(p.line_source, join_path(p.folder, p.route_id + "_linea.txt"));
      EXPECT_EQ(p.train_source, join_path(p.folder, p.route_id + "_" + p.train_number + "-.txt"));
    }
  }
  // In a folder, in the order of the line sources' names: A_B_linea.txt before A_linea.txt.
  const std::vector<std::vector<std::string>> expected{
      {join_path(root, "A_B|7")},
      {join_path(root, "A|1"), join_path(root, "A|2")},
      {join_path(deep, "C|9")}};
  EXPECT_EQ(groups, expected);
  EXPECT_EQ(found.lone_trains, (std::vector<std::string>{join_path(deep, "A_4-.txt")}));
  EXPECT_EQ(found.missing_folders, (std::vector<std::string>{"missing"}));
  EXPECT_TRUE(found.unreadable.empty());
}

// On a disk, a link back up the tree, a second link to a folder already walked and a root given
// twice: every pair is found once.
TEST(ScenarioPairs, EachRealFolderIsWalkedOnce) {
  testing::TempDir dir;
  const std::filesystem::path root = dir.path() / "root";
  std::filesystem::create_directories(root / "sub");
  testing::write_file(root / "A_linea.txt", "");
  testing::write_file(root / "A_1-.txt", "");
  testing::write_file(root / "sub" / "B_linea.txt", "");
  testing::write_file(root / "sub" / "B_2-.txt", "");
  std::error_code ec;
  std::filesystem::create_directory_symlink("..", root / "sub" / "up", ec);
  std::filesystem::create_directory_symlink("sub", root / "again", ec);
  if (ec) GTEST_SKIP() << "no links to folders here: " << ec.message();
  RealFileSystem fs;
  const BatchSources found =
      find_scenario_pairs(fs, {root.string(), root.string(), (root / "sub").string()});
  std::vector<std::string> pairs;
  for (const RouteGroup& g : found.groups) {
    for (const ScenarioPair& p : g.pairs) pairs.push_back(p.route_id + "|" + p.train_number);
  }
  EXPECT_EQ(pairs, (std::vector<std::string>{"A|1", "B|2"}));
  EXPECT_TRUE(found.unreadable.empty());
}

TEST(RunInParallel, EveryTaskRunsOnceAndAFailureStopsTheRest) {
  for (unsigned workers : {1u, 3u, 16u}) {
    SCOPED_TRACE(workers);
    std::vector<std::atomic<int>> runs(40);
    std::vector<int> done_count(40, 0);
    run_in_parallel(
        runs.size(), workers, [&](std::size_t i) { ++runs[i]; },
        [&](std::size_t i) { ++done_count[i]; });
    for (std::size_t i = 0; i < runs.size(); ++i) {
      EXPECT_EQ(runs[i], 1) << i;
      EXPECT_EQ(done_count[i], 1) << i;
    }

    std::atomic<int> started{0};
    std::set<std::size_t> done;
    EXPECT_THROW(run_in_parallel(
                     1000, workers,
                     [&](std::size_t i) {
                       ++started;
                       if (i == 5) throw std::runtime_error("interrupted");
                       // Work that takes time, as a compile does: instant tasks could all be
                       // taken by the other workers before the failure is recorded.
                       std::this_thread::sleep_for(std::chrono::milliseconds(2));
                     },
                     [&](std::size_t i) { done.insert(i); }),
                 std::runtime_error);
    EXPECT_LT(started, 1000);
    EXPECT_EQ(done.count(5), 0u);
  }
}

// The columns line up by characters, also past a name beyond ASCII (Ω is two bytes of UTF-8).
TEST(BatchSummary, TheWorstStatusAndTheTable) {
  struct Case {
    std::vector<int> statuses;
    int worst;
  };
  using namespace exit_code;
  for (const Case& c :
       {Case{{}, clean}, Case{{clean, clean}, clean}, Case{{clean, recorded_code}, recorded_code},
        Case{{recorded_code, header_conflict, clean}, header_conflict},
        Case{{header_conflict, io_failure, recorded_code}, io_failure},
        Case{{io_failure, usage, clean}, usage}}) {
    std::vector<BatchRow> rows;
    for (int s : c.statuses) rows.push_back({"x", s, status_word(s), 0, {}, 0.001, 0});
    EXPECT_EQ(worst_status(rows), c.worst) << ::testing::PrintToString(c.statuses);
  }

  const std::vector<BatchRow> rows{{"a/Valdora_Lusa_24863", clean, "clean", 1, {}, 0.0125, 0},
                                   {"b/\u03a9/X_1", recorded_code, "failed", 0, {16, 25}, 0.002, 3},
                                   {"c/Y_2-.txt",
                                    io_failure,
                                    "no ROUTE_linea.txt beside it",
                                    std::nullopt,
                                    {},
                                    std::nullopt,
                                    std::nullopt}};
  std::ostringstream out;
  write_summary(rows, out);
  EXPECT_EQ(
      out.str(),
      "scenario              status                          errors  warnings  codes  time\n"
      "a/Valdora_Lusa_24863  0 clean                         0       1         -      12.5 ms\n"
      "b/\u03a9/X_1               2 failed                        3       0         16 25  2.0 ms\n"
      "c/Y_2-.txt            3 no ROUTE_linea.txt beside it  -       -         -      -\n"
      "3 scenario(s), 1 clean, 1 failed, 1 file not read or written; exit status "
      "3\n");
}

}  // namespace
}  // namespace scenario::tool
