// The real executable, run in a folder of its own with no display: the console reports.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "support/test_support.h"

namespace scenario {
namespace {

using testing::list_folder;
using testing::read_file;
using testing::run_command;
using testing::shell_quote;
using testing::TempDir;

// A copy of the generator in a fresh folder, since it writes beside itself.
class GeneratoreProcessTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::copy_file(GENERATORE_PATH, dir_.path() / "generatore"); }
  std::string exe() const { return shell_quote(dir_.file("generatore")); }
  TempDir dir_;
};

TEST_F(GeneratoreProcessTest, ACleanRunSaysAttendereAndEndsWithStatus0) {
  const auto r = run_command("env -u DISPLAY " + exe());
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(r.err, "Attendere\n");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(list_folder(dir_.path()),
            (std::vector<std::string>{
                "Valdora_Lusa_24863.dat", "Valdora_Lusa_24863.sim", "Valdora_Lusa_24863_note.txt",
                "Valdora_Lusa_24863_rallentamenti.txt", "Valdora_Lusa_24863_scheda_treno.txt",
                "Valdora_Lusa_linea.dat", "generatore"}));
}

TEST_F(GeneratoreProcessTest, ADisplayThatCannotBeOpenedFallsBackToTheConsole) {
  const auto r = run_command("DISPLAY=:31999 " + exe());
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(r.err, "Attendere\n");
}

TEST_F(GeneratoreProcessTest, AWriteCutOffBySizeLimitEndsWithStatus3) {
  const auto r = run_command("env -u DISPLAY prlimit --fsize=2000 " + exe());
  EXPECT_EQ(r.exit_status, 3);
  EXPECT_EQ(r.err, "Attendere\ncannot write " + dir_.file("Valdora_Lusa_linea.txt") +
                       ": File too large\n");
  EXPECT_EQ(list_folder(dir_.path()), std::vector<std::string>{"generatore"});
}

// Root ignores permissions: the run is made as the unprivileged user in a read-only folder.
TEST_F(GeneratoreProcessTest, AReadOnlyFolderEndsWithStatus3AndKeepsTheOldFiles) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to run as another user";
  testing::write_file(dir_.path() / "Valdora_Lusa_24863_note.txt", "an older note");
  std::filesystem::permissions(
      dir_.path(), std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                       std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                       std::filesystem::perms::others_exec);
  const auto r =
      run_command("env -u DISPLAY setpriv --reuid=65534 --regid=65534 --clear-groups " + exe());
  EXPECT_EQ(r.exit_status, 3);
  EXPECT_EQ(r.err, "Attendere\ncannot write " + dir_.file("Valdora_Lusa_linea.txt") +
                       ": Permission denied\n");
  EXPECT_EQ(read_file(dir_.path() / "Valdora_Lusa_24863_note.txt"), "an older note");
  EXPECT_EQ(list_folder(dir_.path()),
            (std::vector<std::string>{"Valdora_Lusa_24863_note.txt", "generatore"}));
}

// Arguments end the program before the run: the folder keeps only the program (and an earlier
// run's files, untouched).
TEST_F(GeneratoreProcessTest, HelpAndVersionAnswerAndAnyOtherArgumentIsAUsageError) {
  testing::write_file(dir_.path() / "Valdora_Lusa_24863_note.txt", "an older note");
  struct Case {
    std::string arguments;
    int status;
    std::string out_starts;
    std::string err_starts;
  };
  for (const Case& c : {Case{"--help", 0, "Usage: generatore [--help | --version]\n", ""},
                        Case{"--version", 0, "generatore " SCENARIO_PROJECT_VERSION, ""},
                        Case{"-x", 64, "", "generatore: it takes no arguments, but was given"},
                        Case{"--help extra", 64, "", "generatore: it takes no arguments"}}) {
    const auto r = run_command("env -u DISPLAY " + exe() + " " + c.arguments);
    EXPECT_EQ(r.exit_status, c.status) << c.arguments;
    EXPECT_EQ(r.out.substr(0, c.out_starts.size()), c.out_starts) << c.arguments;
    EXPECT_EQ(r.err.substr(0, c.err_starts.size()), c.err_starts) << c.arguments;
    EXPECT_EQ(c.out_starts.empty(), r.out.empty()) << c.arguments;
    EXPECT_EQ(list_folder(dir_.path()),
              (std::vector<std::string>{"Valdora_Lusa_24863_note.txt", "generatore"}));
    EXPECT_EQ(read_file(dir_.path() / "Valdora_Lusa_24863_note.txt"), "an older note");
  }
}

}  // namespace
}  // namespace scenario
