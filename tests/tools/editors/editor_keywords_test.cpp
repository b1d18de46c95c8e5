// The editors' colours against the compiler: the TextMate grammar, the Vim syntax file and the
// Emacs mode each list the words that recognise a record (docs/source-format.md, "Keywords"), and
// those words are exactly the ones of the compiler's record table, so that a keyword added to or
// taken from the compiler cannot be forgotten in the editors.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include "compiler/record_kinds.h"
#include "scenario_tool/scenario/json.h"
#include "support/test_support.h"

namespace scenario::tool {
namespace {

using Words = std::set<std::string>;

std::string editors_file(const std::string& path) {
  const auto root =
      std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path();
  return testing::read_file(root / "editors" / path);
}

Words compiler_words() {
  Words words;
  for (const RecordKind& kind : record_kinds()) {
    words.insert(std::string(kind.first));
    if (!kind.second.empty()) words.insert(std::string(kind.second));
  }
  return words;
}

// The alternatives between `open` and the next `close`, split at `bar`.
Words alternatives(const std::string& text, const std::string& open, const std::string& close,
                   const std::string& bar) {
  Words words;
  const auto start = text.find(open);
  if (start == std::string::npos) return words;
  const auto from = start + open.size();
  const std::string list = text.substr(from, text.find(close, from) - from);
  for (std::size_t at = 0; at <= list.size();) {
    const auto next = std::min(list.find(bar, at), list.size());
    words.insert(list.substr(at, next - at));
    at = next + bar.size();
  }
  return words;
}

Words textmate_words() {
  const Json grammar = Json::parse(editors_file("vscode/syntaxes/scenario.tmLanguage.json"));
  const std::string match = grammar["repository"]["record-keyword"]["match"];
  return alternatives(match, "(?i:", ")", "|");
}

Words vim_words() {
  const std::string syntax = editors_file("vim/syntax/scenario.vim");
  const auto line = syntax.find("syn match scenarioRecord");
  if (line == std::string::npos) return {};
  return alternatives(syntax.substr(line), "\\%(", "\\)", "\\|");
}

Words emacs_words() {
  const std::string mode = editors_file("emacs/scenario-mode.el");
  const auto list = alternatives(mode, "(defconst scenario-record-words\n  '(", ")", " ");
  Words words;
  for (const std::string& quoted : list) words.insert(quoted.substr(1, quoted.size() - 2));
  return words;
}

TEST(EditorKeywords, EachEditorListsExactlyTheWordsOfTheCompilersRecordTable) {
  const Words expected = compiler_words();
  ASSERT_GE(expected.size(), 20u);
  EXPECT_TRUE(expected.contains("segnale") && expected.contains("velocit"));
  const struct {
    const char* editor;
    Words words;
  } editors[] = {{"TextMate grammar", textmate_words()},
                 {"Vim syntax file", vim_words()},
                 {"Emacs mode", emacs_words()}};
  for (const auto& e : editors) EXPECT_EQ(e.words, expected) << e.editor;
}

// The files each editor finds the sources by: the names the tool derives its identifiers from.
TEST(EditorKeywords, EachEditorTakesBothSourceNames) {
  const std::string vscode = editors_file("vscode/package.json");
  const Json manifest = Json::parse(vscode);
  EXPECT_EQ(manifest["contributes"]["languages"][0]["filenamePatterns"],
            Json::parse(R"(["*_linea.txt", "*-.txt"])"));
  EXPECT_EQ(manifest["contributes"]["grammars"][0]["path"], "./syntaxes/scenario.tmLanguage.json");
  for (const char* file : {"vim/ftdetect/scenario.vim", "nvim/scenario.lua"}) {
    const std::string text = editors_file(file);
    EXPECT_NE(text.find("*_linea.txt"), std::string::npos) << file;
    EXPECT_NE(text.find("*-.txt"), std::string::npos) << file;
  }
  const std::string emacs = editors_file("emacs/scenario-mode.el");
  EXPECT_NE(emacs.find(R"("_linea\\.txt\\'")"), std::string::npos);
  EXPECT_NE(emacs.find(R"("-\\.txt\\'")"), std::string::npos);
  EXPECT_NE(emacs.find(R"('("scenario_tool" "lsp"))"), std::string::npos);
}

}  // namespace
}  // namespace scenario::tool
