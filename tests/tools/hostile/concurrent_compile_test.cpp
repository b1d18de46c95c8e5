// Two compiles of different sources into one folder at the same time, as an editor's
// compile-on-save and a compile by hand do: after every round the folder holds one whole set,
// the one or the other, and nothing else; a compile that ends 0 has its set in place unless the
// other ended after it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>

#include "support/spawn_tool.h"
#include "support/test_support.h"

namespace scenario::tool {
namespace {

using namespace scenario::testing;

const std::vector<std::string> kCompiled{"Valdora_Lusa_24863.dat", "Valdora_Lusa_24863.sim",
                                         "Valdora_Lusa_linea.dat"};

pid_t start_tool(std::vector<std::string> args, const std::string& err) {
  return spawn_program(SCENARIO_TOOL_PATH, std::move(args), {"", "/dev/null", err});
}

struct Ended {
  int status = -1;
  std::chrono::steady_clock::time_point at;
};

Ended wait_for(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, std::chrono::steady_clock::now()};
}

std::vector<std::string> compile_args(const std::string& from, const std::string& to) {
  return {"compile", from + "/Valdora_Lusa_linea.txt", from + "/Valdora_Lusa_24863-.txt", "-o", to};
}

std::vector<std::string> set_in(const std::string& folder) {
  std::vector<std::string> set;
  for (const std::string& name : kCompiled) set.push_back(read_file(folder + "/" + name));
  return set;
}

void replace_line(std::string& text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
}

TEST(ConcurrentCompile, TheFolderAlwaysHoldsOneWholeSet) {
  TempDir dir;
  const std::string a = dir.str() + "/A";
  const std::string b = dir.str() + "/B";
  const std::string race = dir.str() + "/race";
  ASSERT_EQ(wait_for(start_tool({"template", "-o", a}, dir.str() + "/err")).status, 0);
  std::filesystem::create_directory(b);
  std::string line = read_file(a + "/Valdora_Lusa_linea.txt");
  std::string train = read_file(a + "/Valdora_Lusa_24863-.txt");
  replace_line(line, "curvad2,  12900, 800", "curvad3,  12900, 800");
  replace_line(train, "rallentamento,  10500, 30, 150", "rallentamento,  10500, 40, 150");
  write_file(b + "/Valdora_Lusa_linea.txt", line);
  write_file(b + "/Valdora_Lusa_24863-.txt", train);
  ASSERT_EQ(wait_for(start_tool(compile_args(a, a), dir.str() + "/err")).status, 0);
  ASSERT_EQ(wait_for(start_tool(compile_args(b, b), dir.str() + "/err")).status, 0);
  const auto set_a = set_in(a);
  const auto set_b = set_in(b);
  ASSERT_NE(set_a[0], set_b[0]);
  ASSERT_NE(set_a[2], set_b[2]);

  constexpr int kRounds = 12;
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const pid_t pa = start_tool(compile_args(a, race), dir.str() + "/err_a");
    const pid_t pb = start_tool(compile_args(b, race), dir.str() + "/err_b");
    const Ended ea = wait_for(pa);
    const Ended eb = wait_for(pb);
    EXPECT_EQ(ea.status, 0) << read_file(dir.str() + "/err_a");
    EXPECT_EQ(eb.status, 0) << read_file(dir.str() + "/err_b");
    EXPECT_EQ(list_folder(race), kCompiled);
    const auto in_place = set_in(race);
    EXPECT_TRUE(in_place == set_a || in_place == set_b) << "a mixed or torn set";
    // The set in place is of the compile that ended last, or of one that ended 0 alone.
    if (ea.status == 0 && eb.status != 0) {
      EXPECT_TRUE(in_place == set_a);
    }
    if (eb.status == 0 && ea.status != 0) {
      EXPECT_TRUE(in_place == set_b);
    }
    if (::testing::Test::HasFailure()) return;
  }
}

// A folder whose lock another process keeps: the compile waits its 10 s, then ends with 3,
// saying why, and leaves the folder as it was.
TEST(ConcurrentCompile, AFolderLockedTooLongEndsTheCompileWith3) {
  TempDir dir;
  const std::string a = dir.str() + "/A";
  ASSERT_EQ(wait_for(start_tool({"template", "-o", a}, dir.str() + "/err")).status, 0);
  RealFileSystem fs;
  const LockAttempt held = fs.try_lock_folder(a);
  ASSERT_TRUE(held.lock) << held.error;
  const auto start = std::chrono::steady_clock::now();
  const Ended e = wait_for(start_tool(compile_args(a, a), dir.str() + "/err"));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(e.status, 3);
  const std::string err = read_file(dir.str() + "/err");
  EXPECT_NE(err.find("cannot write " + a + "/Valdora_Lusa_linea.dat: the folder " + a +
                     " is being written by another compile"),
            std::string::npos)
      << err;
  EXPECT_EQ(list_folder(a), (std::vector<std::string>{".scenario.lock", "Valdora_Lusa_24863-.txt",
                                                      "Valdora_Lusa_linea.txt"}));
}

}  // namespace
}  // namespace scenario::tool
