// The loop of `watch` over a scripted folder watch and a disk in memory: which saves compile,
// with what named as saved, and what is told when a source goes missing. The quiet time is 0 so
// that each scripted batch of changes is one burst (the quiet time itself: watch_parts_test).
#include "scenario_tool/watch/watch_loop.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/memory_file_system.h"

namespace scenario::tool {
namespace {

// One batch of changes the watch reports, after the edit that makes them.
struct Step {
  std::function<void(MemoryFileSystem&)> edit;
  std::vector<FolderChange> changes;
};

class ScriptedWatch : public FolderWatch {
 public:
  ScriptedWatch(MemoryFileSystem& fs, std::vector<Step> steps) : fs_(fs), steps_(steps) {}
  std::vector<FolderChange> wait(std::chrono::milliseconds) override {
    if (next_ == steps_.size()) {
      ++idle_;
      return {};
    }
    const Step& step = steps_[next_++];
    if (step.edit) step.edit(fs_);
    return step.changes;
  }
  // Every step is done and the loop has looked once more: what is due has been acted on.
  bool done() const { return idle_ > 1; }

 private:
  MemoryFileSystem& fs_;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  int idle_ = 0;
};

std::function<void(MemoryFileSystem&)> put(const char* path, const char* bytes) {
  return [=](MemoryFileSystem& fs) { fs.put(path, bytes); };
}

std::function<void(MemoryFileSystem&)> gone(const char* path) {
  return [=](MemoryFileSystem& fs) { fs.remove(path, nullptr); };
}

TEST(WatchLoopTest, CompilesAtStartAndAtEachSaveThatChangesASource) {
  MemoryFileSystem fs;
  fs.make_folders("s", nullptr);
  fs.put("s/R_linea.txt", "line 1");
  fs.put("s/R_1-.txt", "train 1");
  const WatchedSources sources = watched_sources("s/R_linea.txt", "s/R_1-.txt");
  const FolderChange line{0, "R_linea.txt"};
  const FolderChange train{0, "R_1-.txt"};
  ScriptedWatch watch(
      fs, {{put("s/R_1-.txt", "train 1"), {train}},                  // saved, unchanged: nothing
           {put("s/R_1-.txt", "train 2"), {train, train}},           // one compile
           {put("s/x.swp", "x"), {{0, "x.swp"}, {0, "R_1-.txt~"}}},  // no source: nothing
           {put("s/R_linea.txt", "line 2"), {line, train}},          // both saved at once
           {gone("s/R_linea.txt"), {line}},                          // told missing
           {put("s/other", "o"), {line}},                            // still missing: told once
           {put("s/R_linea.txt", "line 3"), {line}},                 // back: compiled, and fails
           {put("s/R_linea.txt", "line 3"), {line}}});               // same bytes, tried again
  std::vector<std::vector<std::string>> compiles;
  const auto compile = [&](const std::vector<std::string>& saved) {
    compiles.push_back(saved);
    return compiles.size() != 4;  // the fourth finds the output folder busy
  };
  std::ostringstream err;
  run_watch_loop(
      {sources, watch, fs, std::chrono::milliseconds(0), compile, [&] { return watch.done(); }},
      err);
  const std::vector<std::vector<std::string>> expected{
      {}, {"R_1-.txt"}, {"R_linea.txt", "R_1-.txt"}, {"R_linea.txt"}, {"R_linea.txt"}};
  EXPECT_EQ(compiles, expected);
  EXPECT_EQ(err.str(), "watch: s/R_linea.txt is missing; waiting for it to be saved\n");
}

TEST(WatchLoopTest, AMissingSourceAtTheStartIsWaitedFor) {
  MemoryFileSystem fs;
  fs.make_folders("s", nullptr);
  fs.put("s/R_linea.txt", "line");
  const WatchedSources sources = watched_sources("s/R_linea.txt", "s/R_1-.txt");
  ScriptedWatch watch(fs, {{put("s/R_1-.txt", "train"), {{0, "R_1-.txt"}}}});
  int compiles = 0;
  std::ostringstream err;
  run_watch_loop({sources, watch, fs, std::chrono::milliseconds(0),
                  [&](const std::vector<std::string>&) { return ++compiles > 0; },
                  [&] { return watch.done(); }},
                 err);
  EXPECT_EQ(compiles, 1);
  EXPECT_EQ(err.str(), "watch: s/R_1-.txt is missing; waiting for it to be saved\n");
}

}  // namespace
}  // namespace scenario::tool
