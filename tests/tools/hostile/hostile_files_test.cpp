// Files that are not what they claim, given to every verb: each is refused by name with status 3
// (65 for a file that is damaged inside), in a few seconds and under 300 MB, and no message grows
// with the file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "format/file_limits.h"
#include "support/spawn_tool.h"
#include "support/test_support.h"

namespace scenario::tool {
namespace {

using scenario::testing::read_file;
using scenario::testing::TempDir;
using scenario::testing::write_file;

// The sanitizers' shadow memory and quarantine add a few hundred MiB to any process: the bound is
// the plain build's.
#if defined(__SANITIZE_ADDRESS__)
constexpr long kMemoryLimitKiB = 1024 * 1024;
#else
constexpr long kMemoryLimitKiB = 300 * 1024;
#endif
constexpr auto kTimeLimit = std::chrono::seconds(5);

struct Measured {
  int status = -1;  // -1: killed, or ended by a signal
  bool hung = false;
  long peak_kib = 0;
  std::string err;
};

// Runs the tool in `folder`, its output in files there, killed when it outlasts twice the limit.
Measured run_tool(const std::string& folder, std::vector<std::string> args) {
  const std::string out = folder + "/.out";
  const std::string err = folder + "/.err";
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = scenario::testing::spawn_program(SCENARIO_TOOL_PATH, std::move(args),
                                                     {"/dev/null", out, err});
  Measured m;
  if (pid == -1) return m;
  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, WNOHANG, &usage) == 0) {
    if (std::chrono::steady_clock::now() - start > 2 * kTimeLimit) {
      kill(pid, SIGKILL);
      wait4(pid, &status, 0, &usage);
      m.hung = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  m.hung = m.hung || std::chrono::steady_clock::now() - start > kTimeLimit;
  if (WIFEXITED(status)) m.status = WEXITSTATUS(status);
  m.peak_kib = usage.ru_maxrss;
  m.err = read_file(err);
  return m;
}

// The built-in scenario's sources and compiled files in `dir`/in (R = Valdora_Lusa, T = 24863).
void builtin_set(const std::string& dir) {
  ASSERT_EQ(run_tool(dir, {"template", "-o", dir + "/in"}).status, 0);
  ASSERT_EQ(run_tool(dir, {"compile", dir + "/in/Valdora_Lusa_linea.txt",
                           dir + "/in/Valdora_Lusa_24863-.txt", "-o", dir + "/in"})
                .status,
            0);
}

const std::string kTrack = "/in/Valdora_Lusa_24863.dat";
const std::string kTable = "/in/Valdora_Lusa_24863.sim";
const std::string kLine = "/in/Valdora_Lusa_linea.dat";
const std::string kLineSource = "/in/Valdora_Lusa_linea.txt";
const std::string kTrainSource = "/in/Valdora_Lusa_24863-.txt";

// The track file grown to a million cells with copies of its occupied cells, as a crafted file
// would be (free cells alone decode to little).
void million_cells(const std::string& dir) {
  const std::string track = read_file(dir + kTrack);
  std::string occupied;
  for (std::size_t at = 0; at + 15 <= track.size(); at += 15) {
    if (track[at] != 0) occupied += track.substr(at, 15);
  }
  std::string grown = track;
  for (std::size_t k = 0; grown.size() < 1000002u * 15; k = (k + 15) % occupied.size()) {
    grown += occupied.substr(k, 15);
  }
  write_file(dir + kTrack, grown);
}

void replace_by_folder(const std::string& path) {
  std::filesystem::remove(path);
  std::filesystem::create_directory(path);
}

void replace_by_fifo(const std::string& path) {
  std::filesystem::remove(path);
  ::mkfifo(path.c_str(), 0600);
}

void replace_by_zero(const std::string& path) {
  std::filesystem::remove(path);
  std::filesystem::create_symlink("/dev/zero", path);
}

// The route length given with `digits` more digits in front.
void long_number(const std::string& dir, std::size_t digits) {
  std::string text = read_file(dir + kLineSource);
  const auto at = text.find("lunghezza percorso");
  text.insert(text.find(',', at) + 1, std::string(digits, '7'));
  write_file(dir + kLineSource, text);
}

struct Hostile {
  const char* what;
  std::function<void(const std::string&)> make;  // spoils the built-in set in the folder
  std::vector<std::string> args;                 // "@" stands for the folder
  int status;
  std::string said;  // a part of the message
};

const std::vector<std::string> kCompile{"compile", "@" + kLineSource, "@" + kTrainSource, "-o",
                                        "@/out"};

std::vector<Hostile> cases() {
  std::vector<Hostile> c{
      {"a folder as the line source",
       [](const std::string& d) { replace_by_folder(d + kLineSource); }, kCompile, 3,
       "Valdora_Lusa_linea.txt is a folder, not a regular file"},
      {"a FIFO as the train source",
       [](const std::string& d) { replace_by_fifo(d + kTrainSource); }, kCompile, 3,
       "Valdora_Lusa_24863-.txt is a FIFO, not a regular file"},
      {"a link to /dev/zero as the line source",
       [](const std::string& d) { replace_by_zero(d + kLineSource); }, kCompile, 3,
       "is a character device, not a regular file"},
      {"a source over its size",
       [](const std::string& d) {
         write_file(d + kLineSource, std::string(max_source_bytes + 1, ' '));
       },
       kCompile, 3, "more than the 4194304"},
      {"a number of ten million digits", [](const std::string& d) { long_number(d, 10'000'000); },
       kCompile, 3, "more than the 4194304"},
      {"a number of four million digits", [](const std::string& d) { long_number(d, 4'000'000); },
       kCompile, 2, "7777...\" (4000009 characters)"},
  };
  const std::vector<std::string> reading_verbs{"inspect", "plot", "view", "check", "decompile"};
  for (const std::string& verb : reading_verbs) {
    std::vector<std::string> args{verb, "@/in"};
    if (verb != "inspect" && verb != "check") args.insert(args.end(), {"-o", "@/out/x"});
    c.push_back({"a folder named like the track file",
                 [](const std::string& d) { replace_by_folder(d + kTrack); }, args, 3,
                 "Valdora_Lusa_24863.dat: it is a folder, not a regular file"});
    c.push_back({"a FIFO named like the table file",
                 [](const std::string& d) { replace_by_fifo(d + kTable); }, args, 3,
                 "Valdora_Lusa_24863.sim: it is a FIFO, not a regular file"});
    c.push_back({"a link to /dev/zero as the line file",
                 [](const std::string& d) { replace_by_zero(d + kLine); }, args, 3,
                 "it is a character device, not a regular file"});
    c.push_back({"a track file of a million cells", million_cells, args, 3,
                 "15000030 bytes, more than the 302115"});
  }
  c.push_back({"a track file of a million cells, diffed",
               million_cells,
               {"diff", "@/in", "@/in"},
               3,
               "15000030 bytes, more than the 302115"});
  c.push_back({"a FIFO as the track file, diffed",
               [](const std::string& d) { replace_by_fifo(d + kTrack); },
               {"diff", "@/in", "@/in"},
               3,
               "it is a FIFO, not a regular file"});
  return c;
}

TEST(HostileFiles, EveryVerbRefusesThemByNameQuicklyAndInBoundedMemory) {
  for (Hostile& h : cases()) {
    SCOPED_TRACE(std::string(h.what) + ": " + h.args.front());
    TempDir dir;
    builtin_set(dir.str());
    std::filesystem::create_directory(dir.path() / "out");
    h.make(dir.str());
    for (std::string& a : h.args) {
      if (a.starts_with("@")) a = dir.str() + a.substr(1);
    }
    const Measured m = run_tool(dir.str(), h.args);
    EXPECT_FALSE(m.hung);
    EXPECT_EQ(m.status, h.status) << m.err.substr(0, 2000);
    EXPECT_NE(m.err.find(h.said), std::string::npos) << m.err.substr(0, 2000);
    EXPECT_LT(m.err.size(), 4000u);
    EXPECT_LT(m.peak_kib, kMemoryLimitKiB);
  }
}

}  // namespace
}  // namespace scenario::tool
