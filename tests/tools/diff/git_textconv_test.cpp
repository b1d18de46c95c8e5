// The real git, with `inspect --textconv` as the textconv driver of compiled files, shows a
// changed cell and a changed curve of two commits as readable lines.
#include <gtest/gtest.h>

#include <sstream>

#include "scenario_tool/verbs/verbs.h"
#include "support/test_support.h"

namespace scenario::tool {
namespace {

using testing::read_file;
using testing::run_command;
using testing::shell_quote;
using testing::TempDir;
using testing::write_file;

class GitTextconv : public ::testing::Test {
 protected:
  void SetUp() override {
    RealFileSystem fs;
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(run_template(TemplateOptions{sources_.str()}, fs, out, err), exit_code::clean);
    // The configuration the README gives, in a repository of its own.
    git("init -q . && git config user.email author@example.com && git config user.name author"
        " && git config commit.gpgsign false && git config diff.scenario.textconv " +
        shell_quote(shell_quote(SCENARIO_TOOL_PATH) + " inspect --textconv") +
        " && printf '*.dat diff=scenario\\n*.sim diff=scenario\\n' > .gitattributes");
  }

  // Runs `git ARGS...` in the repository, with no configuration of the user's.
  testing::CommandResult git(const std::string& args) {
    const testing::CommandResult r =
        run_command("cd " + shell_quote(repo_.str()) + " && export GIT_CONFIG_NOSYSTEM=1 HOME=" +
                    shell_quote(repo_.str()) + " && git " + args);
    EXPECT_EQ(r.exit_status, 0) << args << "\n" << r.err;
    return r;
  }

  void edit(const std::string& name, const std::string& from, const std::string& to) {
    std::string text = read_file(sources_.file(name));
    const auto at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    write_file(sources_.file(name), text);
  }

  void compile_and_commit(const std::string& message) {
    CompileOptions o;
    o.line_source = sources_.file("Valdora_Lusa_linea.txt");
    o.train_source = sources_.file("Valdora_Lusa_24863-.txt");
    o.out_dir = repo_.str();
    RealFileSystem fs;
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(run_compile(o, fs, out, err), exit_code::clean) << err.str();
    git("add -A && git commit -q -m " + shell_quote(message));
  }

  TempDir sources_;
  TempDir repo_;
};

TEST_F(GitTextconv, GitDiffAndLogShowTheChangedCellAndCurve) {
  compile_and_commit("built-in");
  edit("Valdora_Lusa_24863-.txt", "rallentamento,  10500, 30,", "rallentamento,  10500, 40,");
  edit("Valdora_Lusa_linea.txt", "curvad2,  12900, 800", "curvad3,  12900, 800");
  compile_and_commit("a slower slowdown, a tighter curve");

  const std::string diff = git("diff HEAD~1 HEAD").out;
  EXPECT_EQ(diff.find("Binary files"), std::string::npos) << diff;
  EXPECT_NE(diff.find("\n-cell 211 (km 10.550): slowdown_start speed 30 km/h, d_v 0, f_tt 1\n"),
            std::string::npos)
      << diff;
  EXPECT_NE(diff.find("\n+cell 211 (km 10.550): slowdown_start speed 40 km/h, d_v 0, f_tt 1\n"),
            std::string::npos)
      << diff;
  EXPECT_NE(diff.find("\n-line km 12.901 to km 13.700: curve class 2 d\n"), std::string::npos)
      << diff;
  EXPECT_NE(diff.find("\n+line km 12.901 to km 13.700: curve class 3 d\n"), std::string::npos)
      << diff;
  // The table did not change: only the track and line files are in the diff.
  EXPECT_EQ(diff.find("Valdora_Lusa_24863.sim"), std::string::npos) << diff;

  const std::string log = git("log -p -1").out;
  EXPECT_NE(log.find("+cell 211 (km 10.550): slowdown_start speed 40 km/h"), std::string::npos)
      << log;
}

}  // namespace
}  // namespace scenario::tool
