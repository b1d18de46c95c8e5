// A compile of a long line interrupted by SIGTERM, as a terminal or a CI job does it, at several
// points: whenever it comes, the temporary folder holds nothing of it, the output folder holds a
// whole set of compiled files, old or new, and no .tmp or .old file, and the program ends by the
// signal. Leftovers of a compile that was killed outright are cleared by the next one.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "support/sources.h"
#include "support/spawn_tool.h"
#include "support/test_support.h"

extern char** environ;

namespace scenario::tool {
namespace {

using namespace scenario::testing;

// A line of 1000 km: its line file has 20 MB to write, long enough to be caught in the act.
std::string long_line_source() {
  return crlf({"[generale]", "lunghezza percorso, 1000000", "sfondo uno, 1", "[curve]",
               "curvas2, 100000, 5000", "curvad3, 600000, 2000", "[fine]"});
}

std::string train_source(int sand) {
  return crlf({"[generale]", "numero vetture, 6", "sabbia, " + std::to_string(sand),
               "orologio, 8 0 0", "velocita' limite, 0, 100", "aderenza, 0, 100", "[fine]"});
}

struct Child {
  pid_t pid = -1;
  int status = 0;
};

// scenario_tool with the arguments, with TMPDIR pointing at `tmp`.
pid_t start_tool(std::vector<std::string> args, const std::string& tmp) {
  const std::string tmpdir = "TMPDIR=" + tmp;
  std::vector<std::string> env{tmpdir};
  for (char** e = environ; *e != nullptr; ++e) {
    if (!std::string(*e).starts_with("TMPDIR=")) env.emplace_back(*e);
  }
  const std::vector<char*> envp = null_ended(env);
  return spawn_program(SCENARIO_TOOL_PATH, std::move(args), {"", "/dev/null", "/dev/null"},
                       envp.data());
}

// scenario_tool compile of the folder's sources into `out`.
pid_t start_compile(const TempDir& sources, const std::string& out, const std::string& tmp) {
  return start_tool(
      {"compile", sources.file("Lunga_linea.txt"), sources.file("Lunga_1-.txt"), "-o", out}, tmp);
}

bool holds_a_name_ending(const std::string& folder, std::string_view ending) {
  for (const std::string& name : list_folder(folder)) {
    if (name.ends_with(ending)) return true;
  }
  return false;
}

class InterruptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    write_file(sources_.file("Lunga_linea.txt"), long_line_source());
    // The old set and the new one differ in the sand of the table file.
    write_file(sources_.file("Lunga_1-.txt"), train_source(0));
    ASSERT_EQ(compile_now(old_.str()), 0);
    write_file(sources_.file("Lunga_1-.txt"), train_source(1));
    ASSERT_EQ(compile_now(new_.str()), 0);
    names_ = list_folder(old_.path());
    ASSERT_EQ(names_.size(), 3u);
  }

  int compile_now(const std::string& out) {
    int status = 0;
    const pid_t pid = start_compile(sources_, out, tmp_.str());
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // An output folder that holds the old set, then a compile of the new one, interrupted once
  // `ready` says so.
  template <typename Ready>
  Child interrupted_compile(const std::string& out, Ready ready) {
    std::filesystem::create_directories(out);
    for (const std::string& name : names_) {
      std::filesystem::copy_file(old_.path() / name, std::filesystem::path(out) / name);
    }
    Child c;
    c.pid = start_compile(sources_, out, tmp_.str());
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!ready() && std::chrono::steady_clock::now() < give_up) {
      if (waitpid(c.pid, &c.status, WNOHANG) == c.pid) return c;
      std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    kill(c.pid, SIGTERM);
    waitpid(c.pid, &c.status, 0);
    return c;
  }

  // A whole set, old or new, and nothing else.
  void expect_whole_set(const std::string& out) {
    ASSERT_EQ(list_folder(out), names_);
    const bool old =
        read_file(std::filesystem::path(out) / names_[1]) == read_file(old_.path() / names_[1]);
    const TempDir& set = old ? old_ : new_;
    for (const std::string& name : names_) {
      EXPECT_EQ(read_file(std::filesystem::path(out) / name), read_file(set.path() / name))
          << name << " is not of the " << (old ? "old" : "new") << " set";
    }
    EXPECT_TRUE(list_folder(tmp_.path()).empty());
  }

  TempDir sources_;
  TempDir old_;
  TempDir new_;
  TempDir tmp_;
  TempDir outputs_;
  std::vector<std::string> names_;
};

TEST_F(InterruptTest, WhereverSigtermComesTheOutputFolderHoldsAWholeSet) {
  struct Point {
    const char* when;
    std::function<bool(const std::string&)> ready;
    bool must_be_interrupted;
  };
  const auto started = std::chrono::steady_clock::now();
  const std::vector<Point> points{
      {"at once", [](const std::string&) { return true; }, false},
      {"after 5 ms",
       [&](const std::string&) {
         return std::chrono::steady_clock::now() - started > std::chrono::milliseconds(5);
       },
       false},
      {"while a temporary file is written",
       [](const std::string& out) { return holds_a_name_ending(out, ".tmp"); }, true},
      {"while the old set steps aside",
       [](const std::string& out) { return holds_a_name_ending(out, ".old"); }, false},
  };
  int n = 0;
  for (const Point& p : points) {
    SCOPED_TRACE(p.when);
    const std::string out = outputs_.file("out" + std::to_string(n++));
    const Child c = interrupted_compile(out, [&] { return p.ready(out); });
    const bool by_sigterm = WIFSIGNALED(c.status) && WTERMSIG(c.status) == SIGTERM;
    const bool finished = WIFEXITED(c.status) && WEXITSTATUS(c.status) == 0;
    EXPECT_TRUE(by_sigterm || (finished && !p.must_be_interrupted)) << "status " << c.status;
    expect_whole_set(out);
  }
}

// A batch replaces several sets at once: SIGTERM after one set is in place, while another is being
// written, must still leave every folder with a whole set or none, and nothing temporary.
TEST_F(InterruptTest, SigtermDuringABatchLeavesEveryFolderWholeOrEmpty) {
  std::vector<std::string> folders;
  for (int i = 0; i < 4; ++i) {
    folders.push_back(outputs_.file("batch" + std::to_string(i)));
    std::filesystem::create_directories(folders.back());
    std::filesystem::copy_file(sources_.path() / "Lunga_linea.txt",
                               std::filesystem::path(folders.back()) / "Lunga_linea.txt");
    std::filesystem::copy_file(sources_.path() / "Lunga_1-.txt",
                               std::filesystem::path(folders.back()) / "Lunga_1-.txt");
  }
  const auto compiled = [&](const std::string& folder) {
    return list_folder(folder).size() == 2 + names_.size() && !holds_a_name_ending(folder, ".tmp");
  };
  const auto one_done_one_writing = [&] {
    bool done = false;
    bool writing = false;
    for (const std::string& f : folders) {
      done = done || compiled(f);
      writing = writing || holds_a_name_ending(f, ".tmp");
    }
    return done && writing;
  };
  Child c;
  // Two at a time for four folders: the last two are still being written when the first two
  // are done (four at once end together, their syncs in one commit of the file system's journal).
  c.pid = start_tool({"compile", "--all", outputs_.str(), "-j", "2"}, tmp_.str());
  bool caught = false;
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < give_up) {
    if (one_done_one_writing()) {
      caught = true;
      break;
    }
    if (waitpid(c.pid, &c.status, WNOHANG) == c.pid) break;
    std::this_thread::sleep_for(std::chrono::microseconds(50));
  }
  if (caught) {
    kill(c.pid, SIGTERM);
    waitpid(c.pid, &c.status, 0);
    EXPECT_TRUE(WIFSIGNALED(c.status) && WTERMSIG(c.status) == SIGTERM) << "status " << c.status;
  }
  EXPECT_TRUE(caught) << "the batch ended before one set was in place while another was written";
  for (const std::string& f : folders) {
    SCOPED_TRACE(f);
    std::vector<std::string> compiled_names;
    for (const std::string& name : list_folder(f)) {
      EXPECT_FALSE(name.ends_with(".tmp") || name.ends_with(".old")) << name;
      if (!name.ends_with(".txt")) compiled_names.push_back(name);
    }
    if (compiled_names.empty()) continue;
    EXPECT_EQ(compiled_names, names_);
    for (const std::string& name : compiled_names) {
      EXPECT_EQ(read_file(std::filesystem::path(f) / name), read_file(new_.path() / name)) << name;
    }
  }
}

TEST_F(InterruptTest, LeftoversOfAKilledCompileAreClearedByTheNext) {
  const std::string out = outputs_.file("killed");
  std::filesystem::create_directories(out);
  // As SIGKILL leaves it part-way through the exchange: one new file in place with its old file
  // beside it, one old file stepped aside with no new one yet, one temporary file.
  write_file(std::filesystem::path(out) / names_[0], "new");
  write_file(std::filesystem::path(out) / (names_[0] + ".old"), "old");
  write_file(std::filesystem::path(out) / (names_[1] + ".old"), "old");
  write_file(std::filesystem::path(out) / (names_[2] + ".tmp"), "half written");
  EXPECT_EQ(compile_now(out), 0);
  EXPECT_EQ(list_folder(out), names_);
  for (const std::string& name : names_) {
    EXPECT_EQ(read_file(std::filesystem::path(out) / name), read_file(new_.path() / name)) << name;
  }
}

}  // namespace
}  // namespace scenario::tool
