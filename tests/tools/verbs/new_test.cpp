// `new` and `template`: what they write, and that neither replaces an author's file unless told.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <sstream>

#include "platform/memory_file_system.h"
#include "platform/paths.h"
#include "scenario_tool/compile/source_check.h"
#include "scenario_tool/verbs/verbs.h"
#include "sources/contenuti.h"
#include "support/verb_run.h"

namespace scenario::tool {
namespace {

// `word` stands in `text` as a word of its own.
bool has_word(const std::string& text, std::string_view word) {
  const auto part_of_word = [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
  };
  for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
    const bool starts = at == 0 || !part_of_word(text[at - 1]);
    const bool ends = at + word.size() == text.size() || !part_of_word(text[at + word.size()]);
    if (starts && ends) return true;
  }
  return false;
}

using scenario::testing::run_verb;
using scenario::testing::VerbRun;

TEST(NewTest, TheStartingScenarioCompilesCleanlyAndHoldsEveryRecordKind) {
  MemoryFileSystem fs;
  const VerbRun made = run_verb(run_new, NewOptions{"Monte_Verde", "101", "/a", false}, fs);
  ASSERT_EQ(made.status, exit_code::clean) << made.err;
  // The tool joins paths with the platform's separator.
  CompileOptions o;
  o.line_source = join_path("/a", "Monte_Verde_linea.txt");
  o.train_source = join_path("/a", "Monte_Verde_101-.txt");
  o.out_dir = join_path("/a", "out");
  EXPECT_EQ(made.out, "wrote " + o.line_source + "\nwrote " + o.train_source + "\n");
  const VerbRun compiled = run_verb(run_compile, o, fs);
  EXPECT_EQ(compiled.status, exit_code::clean) << compiled.err;
  EXPECT_EQ(compiled.err, "");
  EXPECT_NE(compiled.out.find("0 error(s), 0 warning(s)"), std::string::npos);

  ASSERT_TRUE(fs.contents(o.line_source) && fs.contents(o.train_source));
  const SourceCheck check =
      check_sources(*fs.contents(o.line_source), *fs.contents(o.train_source));
  std::set<std::string_view> kinds;
  for (const CheckedRecord& r : check.records) kinds.insert(r.kind->name);
  EXPECT_EQ(kinds.size(), record_kinds().size());
  // Every field is named, by its name in the reference, in the comments of its source.
  for (const RecordKind& kind : record_kinds()) {
    const std::string text =
        *fs.contents(kind.source == SourceKind::line ? o.line_source : o.train_source);
    for (const FieldSpec& f : kind.fields) {
      EXPECT_TRUE(has_word(text, f.name)) << kind.name << " " << f.name;
    }
  }
}

TEST(NewTest, NeitherNewNorTemplateReplacesAFileWithoutForce) {
  MemoryFileSystem fs;
  const std::string train = join_path("/a", "Valdora_Lusa_24863-.txt");
  const std::string line = join_path("/a", "Valdora_Lusa_linea.txt");
  fs.put(train, "an author's edit");
  const VerbRun refused = run_verb(run_template, TemplateOptions{"/a", false}, fs);
  EXPECT_EQ(refused.status, exit_code::usage);
  EXPECT_EQ(refused.err,
            "scenario_tool: error: " + train +
                " is already there; nothing was written: give --force to replace it\n");
  EXPECT_EQ(fs.paths(), std::vector<std::string>{train});
  EXPECT_EQ(fs.contents(train), "an author's edit");

  // Both there: one line naming both, and `new` refuses with the same status.
  fs.put(line, "mine too");
  const VerbRun both = run_verb(run_new, NewOptions{"Valdora_Lusa", "24863", "/a", false}, fs);
  EXPECT_EQ(both.status, refused.status);
  EXPECT_EQ(both.err, "scenario_tool: error: " + line + " and " + train +
                          " are already there; nothing was written: give --force to replace "
                          "them\n");
  EXPECT_EQ(fs.contents(line), "mine too");

  const VerbRun forced = run_verb(run_template, TemplateOptions{"/a", true}, fs);
  EXPECT_EQ(forced.status, exit_code::clean);
  EXPECT_EQ(fs.contents(train), render_lines(contenuto_treno()));
  EXPECT_EQ(fs.contents(line), render_lines(contenuto_linea()));

  EXPECT_EQ(run_verb(run_new, NewOptions{"Valdora_Lusa", "24863", "/a", false}, fs).status,
            exit_code::usage);
  EXPECT_EQ(fs.contents(line), render_lines(contenuto_linea()));
  EXPECT_EQ(run_verb(run_new, NewOptions{"a/b", "1", "/a", false}, fs).status, exit_code::usage);
}

}  // namespace
}  // namespace scenario::tool
