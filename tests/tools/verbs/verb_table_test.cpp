#include "scenario_tool/verbs/verb_table.h"

#include <gtest/gtest.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <set>
#include <string>

#include "scenario_tool/verbs/number_options.h"
#include "scenario_tool/verbs/unknown_verb.h"

namespace scenario::tool {
namespace {

// Every row registers under its own name, once, with an exit-status footer; the verbs that write
// an author's sources give the same refusal status.
TEST(VerbTable, EachVerbOnceWithItsOptionsAndItsExitStatuses) {
  CLI::App app;
  std::set<std::string> names;
  for (const Verb& verb : verb_table()) {
    EXPECT_TRUE(names.insert(verb.name).second) << verb.name;
    CLI::App* command = app.add_subcommand(verb.name, verb.summary);
    EXPECT_TRUE(verb.add(*command)) << verb.name;
    const std::string footer = command->get_footer();
    EXPECT_TRUE(footer.starts_with("Exit status:")) << verb.name;
    const bool writes_sources =
        names.contains(verb.name) &&
        (std::string(verb.name) == "template" || std::string(verb.name) == "new" ||
         std::string(verb.name) == "decompile");
    EXPECT_EQ(footer.find(refusal_status_line) != std::string::npos, writes_sources) << verb.name;
  }
  EXPECT_EQ(names,
            (std::set<std::string>{"template", "new", "explain", "compile", "inspect", "plot",
                                   "check", "diff", "view", "decompile", "documents", "watch", "lsp"}));
}

TEST(VerbTable, AnUnknownVerbIsAnsweredWithTheClosestAndTheList) {
  const struct {
    const char* word;
    const char* closest;
  } cases[] = {{"compil", "compile"},
               {"chek", "check"},
               {"viw", "view"},
               {"decompiel", "decompile"},
               {"tempalte", "template"},
               {"Inspect", "inspect"},
               {"difff", "diff"},
               {"nwe", "new"},
               // Verbs are matched letter for letter: capitals are four edits from every verb.
               {"VIEW", "new"}};
  for (const auto& c : cases) {
    EXPECT_FALSE(is_verb(c.word)) << c.word;
    EXPECT_EQ(closest_verb(c.word), c.closest) << c.word;
  }
  EXPECT_EQ(unknown_verb_message("xyz").find("unknown command 'xyz' (did you mean '"), 0u);
  for (const Verb& verb : verb_table()) {
    EXPECT_TRUE(is_verb(verb.name));
    EXPECT_NE(verb_list().find(verb.name), std::string::npos) << verb.name;
  }
}

TEST(NumberOptions, NanInfinityNegativesAndWhereItMakesNoSenseZeroAreRefused) {
  const struct {
    const char* text;
    bool above_zero;
    bool zero_or_more;
  } cases[] = {{"1.5", true, true},    {"7", true, true},       {"0", false, true},
               {"0.0", false, true},   {"-0.5", false, false},  {"-1", false, false},
               {"nan", false, false},  {"NaN", false, false},   {"inf", false, false},
               {"-inf", false, false}, {"1e999", false, false}, {"abc", false, false},
               {"", false, false},     {"2km", false, false}};
  const CLI::Validator above_zero = finite_number(NumberRange::above_zero);
  const CLI::Validator zero_or_more = finite_number(NumberRange::zero_or_more);
  for (const auto& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(above_zero(text).empty(), c.above_zero) << '"' << c.text << '"';
    EXPECT_EQ(zero_or_more(text).empty(), c.zero_or_more) << '"' << c.text << '"';
  }
}

// Through CLI11 as the tool parses: a refused figure is a parse error, before any verb runs.
TEST(NumberOptions, AVerbsNumericOptionsRefuseBeforeTheVerbRuns) {
  const struct {
    const char* verb;
    std::vector<std::string> args;
  } cases[] = {{"plot", {"d", "--page-km", "nan"}},      {"plot", {"d", "--from", "-1"}},
               {"plot", {"d", "--to", "inf"}},           {"compile", {"--all", "d", "-j", "0"}},
               {"check", {"d", "--accel", "0"}},         {"check", {"d", "--cant", "-5"}},
               {"check", {"d", "--max-gradient", "nan"}}};
  for (const auto& c : cases) {
    CLI::App app;
    std::vector<ReadyVerb> ready;  // they hold the options CLI11 fills
    for (const Verb& verb : verb_table()) {
      ready.push_back(verb.add(*app.add_subcommand(verb.name, verb.summary)));
    }
    std::vector<std::string> args = c.args;
    args.insert(args.begin(), c.verb);
    std::reverse(args.begin(), args.end());  // CLI11 takes a reversed vector
    EXPECT_THROW(app.parse(args), CLI::ValidationError) << c.verb << " " << c.args.back();
  }
}

}  // namespace
}  // namespace scenario::tool
