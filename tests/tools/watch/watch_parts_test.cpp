// The parts of `watch` that decide: when a burst of saves is over, which change is a save of a
// source, the run's header line and the hook that only watch's pages carry.
#include <gtest/gtest.h>

#include <regex>

#include "scenario_tool/view/page.h"
#include "scenario_tool/watch/debounce.h"
#include "scenario_tool/watch/run_header.h"
#include "scenario_tool/watch/watched_sources.h"
#include "support/test_support.h"

namespace scenario::tool {
namespace {

using namespace std::chrono_literals;
using scenario::testing::TempDir;
using scenario::testing::write_file;

TEST(WatchDebounce, DueOnlyAfterTheQuietTimeSinceTheLastEvent) {
  const Debounce::Clock::time_point t0{};
  struct Case {
    std::vector<int> events_ms;
    int now_ms;
    bool due;
    int wait_ms;  // wait_before_due, at most 100
  };
  const Case cases[] = {
      {{}, 1000, false, 100},              // nothing waiting
      {{0}, 149, false, 1},                // a single save, just before its time
      {{0}, 150, true, 0},                 // and at it
      {{0, 100}, 200, false, 50},          // a second save starts the wait again
      {{0, 100}, 250, true, 0},            //
      {{0, 40, 80, 120}, 200, false, 70},  // written in pieces
  };
  for (const Case& c : cases) {
    Debounce d(150ms);
    for (int e : c.events_ms) d.event(t0 + std::chrono::milliseconds(e));
    const auto now = t0 + std::chrono::milliseconds(c.now_ms);
    EXPECT_EQ(d.due(now), c.due) << c.now_ms;
    EXPECT_EQ(d.wait_before_due(now, 100ms), std::chrono::milliseconds(c.wait_ms)) << c.now_ms;
  }
  Debounce forced(150ms);
  forced.force();
  EXPECT_TRUE(forced.due(t0));
  forced.clear();
  EXPECT_FALSE(forced.due(t0 + 1h));
}

TEST(WatchedSourcesTest, OnlyTheSourcesOwnNamesInTheirOwnFoldersAreSaves) {
  const WatchedSources same = watched_sources("a/R_linea.txt", "a/./R_1-.txt");
  EXPECT_EQ(same.folders, std::vector<std::string>{"a"});
  const WatchedSources apart = watched_sources("R_linea.txt", "b/R_1-.txt");
  EXPECT_EQ(apart.folders, (std::vector<std::string>{".", "b"}));
  struct Case {
    const WatchedSources* sources;
    FolderChange change;
    const char* saved;  // null: not a save of a source
  };
  const Case cases[] = {{&same, {0, "R_linea.txt"}, "a/R_linea.txt"},
                        {&same, {0, "R_1-.txt"}, "a/./R_1-.txt"},
                        {&same, {0, "R_1-.txt~"}, nullptr},
                        {&same, {0, ".R_1-.txt.swp"}, nullptr},
                        {&same, {0, "R_1.sim"}, nullptr},
                        {&apart, {0, "R_linea.txt"}, "R_linea.txt"},
                        {&apart, {1, "R_linea.txt"}, nullptr},
                        {&apart, {0, "R_1-.txt"}, nullptr},
                        {&apart, {1, "R_1-.txt"}, "b/R_1-.txt"}};
  for (const Case& c : cases) {
    const WatchedSource* s = saved_source(*c.sources, c.change);
    EXPECT_EQ(s == nullptr ? std::string("none") : s->path,
              c.saved == nullptr ? std::string("none") : c.saved)
        << c.change.folder << " " << c.change.name;
  }
}

TEST(WatchedSourcesTest, AMissingSourceIsNamedAndNoBytesAreGiven) {
  TempDir dir;
  RealFileSystem fs;
  const WatchedSources w = watched_sources(dir.file("R_linea.txt"), dir.file("R_1-.txt"));
  write_file(dir.file("R_linea.txt"), "line");
  SourceBytes got = read_sources(fs, w);
  EXPECT_FALSE(got.bytes);
  EXPECT_EQ(got.missing, std::vector<std::string>{dir.file("R_1-.txt")});
  write_file(dir.file("R_1-.txt"), "train");
  got = read_sources(fs, w);
  ASSERT_TRUE(got.bytes);
  EXPECT_EQ((*got.bytes)[0], "line");
  EXPECT_EQ((*got.bytes)[1], "train");
}

TEST(WatchRunHeader, TellsTheRunAndWhatSetItOff) {
  const std::regex start(R"(--- \d\d:\d\d:\d\d compile 1: start)");
  EXPECT_TRUE(std::regex_match(run_header(1, {}, 0), start)) << run_header(1, {}, 0);
  const std::regex both(R"(--- \d\d:\d\d:\d\d compile 12: R_linea.txt, R_1-.txt saved)");
  const std::string text = run_header(12, {"R_linea.txt", "R_1-.txt"}, 0);
  EXPECT_TRUE(std::regex_match(text, both)) << text;
}

// The hook is one insertion before </body>: without it the page is view's, byte for byte.
TEST(WatchPageHook, OnlyWatchsPagesCarryItAndItAddsOneBlock) {
  const Json data{{"title", "R 1 </body>"}, {"length_m", 100}};
  const std::string plain = view_page(data);
  EXPECT_EQ(plain.find("reload-hook"), std::string::npos);
  const std::string hooked = view_page(data, ReloadHook{"R_1.stamp.js", 1234});
  ASSERT_GT(hooked.size(), plain.size());
  const std::size_t at = plain.rfind("</body>");
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(hooked.substr(0, at), plain.substr(0, at));
  EXPECT_EQ(hooked.substr(hooked.size() - (plain.size() - at)), plain.substr(at));
  const std::string added = hooked.substr(at, hooked.size() - plain.size());
  EXPECT_NE(added.find(R"({"file":"R_1.stamp.js","stamp":1234})"), std::string::npos) << added;
  EXPECT_EQ(stamp_script(1234), "window.scenarioWatchStamp && window.scenarioWatchStamp(1234);\n");
}

}  // namespace
}  // namespace scenario::tool
