// The tool as a user starts it: what main.cpp answers before and around the verbs.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "scenario_tool/exit_codes.h"
#include "support/test_support.h"

namespace scenario::tool {
namespace {

using testing::run_command;
using testing::shell_quote;

TEST(CommandLine, MissingAndUnknownVerbsAndRefusedOptionsAreOneErrorLineAndWrongUsage) {
  const struct {
    const char* args;
    int status;
    const char* err_start;  // the first line of standard error starts so
    bool one_line;          // standard error is that line alone
  } cases[] = {
      {"", exit_code::usage,
       "scenario_tool: error: no command given: the commands are template, "
       "new, explain, compile,",
       false},
      {"compil a b", exit_code::usage,
       "scenario_tool: error: unknown command 'compil' (did you mean 'compile'?); the commands "
       "are template, new,",
       true},
      {"xyz --help", exit_code::usage, "scenario_tool: error: unknown command 'xyz'", true},
      {"compile", exit_code::usage, "scenario_tool: error: compile needs LINE_SOURCE", true},
      {"compile --all d -j 0", exit_code::usage, "scenario_tool: error: --jobs: 0 must be above 0",
       true},
      {"plot d --page-km nan", exit_code::usage,
       "scenario_tool: error: --page-km: nan is not a finite number", true},
      {"check d --decel -1", exit_code::usage, "scenario_tool: error: --decel: -1 must be above 0",
       true},
      {"inspect", exit_code::usage, "scenario_tool: error: PATH is required", true},
      {"plot d -o x --prefix y", exit_code::usage, "scenario_tool: error: ", true},
      {"--help", exit_code::clean, "", true},
      {"decompile --help", exit_code::clean, "", true},
      // The language server: a client that closes its input ends it cleanly.
      {"lsp < /dev/null", exit_code::clean, "", true},
      {"lsp --tcp", exit_code::usage, "scenario_tool: error: ", true},
  };
  for (const auto& c : cases) {
    const auto r = run_command(shell_quote(SCENARIO_TOOL_PATH) + " " + c.args);
    EXPECT_EQ(r.exit_status, c.status) << c.args << "\n" << r.err;
    EXPECT_TRUE(r.err.starts_with(c.err_start)) << c.args << "\n" << r.err;
    if (c.one_line && !r.err.empty()) {
      EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << c.args << "\n" << r.err;
    }
  }
  // No verb: the usage and the list of verbs follow the error line.
  const auto none = run_command(shell_quote(SCENARIO_TOOL_PATH));
  EXPECT_NE(none.err.find("Usage: scenario_tool"), std::string::npos) << none.err;
  EXPECT_NE(none.err.find("Subcommands:\n  template"), std::string::npos) << none.err;
}

}  // namespace
}  // namespace scenario::tool
