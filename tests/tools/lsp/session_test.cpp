// A whole session on the starter scenario written into a folder: both sources opened with a
// misspelt keyword each, then mended; hover, completion, the outline and the quick fix.
#include "tools/lsp/session.h"

#include <gtest/gtest.h>

#include "scenario_tool/explain/starter.h"
#include "scenario_tool/lsp/text_edits.h"
#include "scenario_tool/lsp/uri.h"
#include "support/test_support.h"

namespace scenario::tool::lsp {
namespace {

using testing::initialize;
using testing::notification;
using testing::request;
using testing::serve_messages;

// The 0-based index of the first line that starts with `start`.
int line_index(const std::string& text, const std::string& start) {
  int index = 0;
  for (std::size_t at = 0; at < text.size(); ++index) {
    if (text.compare(at, start.size(), start) == 0) return index;
    at = text.find('\n', at);
    if (at == std::string::npos) break;
    ++at;
  }
  return -1;
}

std::string replaced_once(std::string text, const std::string& from, const std::string& to) {
  text.replace(text.find(from), from.size(), to);
  return text;
}

Json position(const std::string& uri, int line, int character) {
  return {{"textDocument", {{"uri", uri}}},
          {"position", {{"line", line}, {"character", character}}}};
}

class LspSession : public ::testing::Test {
 protected:
  void SetUp() override {
    line_ = starter_line_source("Rt");
    train_ = starter_train_source("Rt", "123");
    scenario::testing::write_file(dir_.file("Rt_linea.txt"), line_);
    scenario::testing::write_file(dir_.file("Rt_123-.txt"), train_);
    line_uri_ = uri_of_path(dir_.file("Rt_linea.txt"));
    train_uri_ = uri_of_path(dir_.file("Rt_123-.txt"));
    wrong_line_ = replaced_once(line_, "\npendenza,  1500", "\npendnza,  1500");
    wrong_train_ = replaced_once(train_, "\nstazione,  5000", "\nstazone,  5000");
  }

  Json open(const std::string& uri, const std::string& text) const {
    return notification(
        "textDocument/didOpen",
        {{"textDocument", {{"uri", uri}, {"languageId", "text"}, {"version", 1}, {"text", text}}}});
  }

  scenario::testing::TempDir dir_;
  std::string line_, train_, wrong_line_, wrong_train_, line_uri_, train_uri_;
};

// Opening both sources publishes each mistake on its own line of its own file, as compile
// words it; mending them (the line whole, the train by a ranged edit) empties both lists.
TEST_F(LspSession, MistakesOnTheirLinesInBothFilesThenMended) {
  const int bad_line = line_index(wrong_line_, "pendnza");
  const int bad_train = line_index(wrong_train_, "stazone");
  ASSERT_GE(bad_line, 0);
  ASSERT_GE(bad_train, 0);
  const auto opened =
      serve_messages({initialize(), open(line_uri_, wrong_line_), open(train_uri_, wrong_train_)});
  const struct {
    std::string uri;
    int line;
    const char* word;
    const char* suggestion;
  } expected[] = {{line_uri_, bad_line, "pendnza", "pendenza"},
                  {train_uri_, bad_train, "stazone", "stazione"}};
  for (const auto& e : expected) {
    const Json diagnostics = opened.last_diagnostics(e.uri);
    ASSERT_EQ(diagnostics.size(), 1u) << e.uri << ": " << diagnostics.dump();
    const Json& d = diagnostics[0];
    EXPECT_EQ(d["range"]["start"]["line"], e.line);
    EXPECT_EQ(d["range"]["start"]["character"], 0);
    EXPECT_EQ(d["range"]["end"]["character"], std::string(e.word).size());
    EXPECT_EQ(d["severity"], 1);
    EXPECT_EQ(d["code"], "unknown-keyword");
    EXPECT_EQ(d["source"], "scenario_tool");
    EXPECT_EQ(d["message"], std::string("error: \"") + e.word +
                                "\" matches no record keyword; the record is dropped (did you "
                                "mean \"" +
                                e.suggestion + "\"?) (scenario_tool explain unknown-keyword)");
  }
  const int train_line = line_index(wrong_train_, "stazone");
  const Json ranged_fix{{"range",
                         {{"start", {{"line", train_line}, {"character", 0}}},
                          {"end", {{"line", train_line}, {"character", 7}}}}},
                        {"text", "stazione"}};
  const auto mended =
      serve_messages({initialize(), open(line_uri_, wrong_line_), open(train_uri_, wrong_train_),
                      notification("textDocument/didChange",
                                   {{"textDocument", {{"uri", line_uri_}, {"version", 2}}},
                                    {"contentChanges", {{{"text", line_}}}}}),
                      notification("textDocument/didChange",
                                   {{"textDocument", {{"uri", train_uri_}, {"version", 2}}},
                                    {"contentChanges", {ranged_fix}}})});
  EXPECT_EQ(mended.last_diagnostics(line_uri_), Json::array());
  EXPECT_EQ(mended.last_diagnostics(train_uri_), Json::array());
  // Closing clears the closed file's list.
  const auto closed = serve_messages(
      {initialize(), open(line_uri_, wrong_line_),
       notification("textDocument/didClose", {{"textDocument", {{"uri", line_uri_}}}})});
  EXPECT_EQ(closed.last_diagnostics(line_uri_), Json::array());
}

// The engineering checks of compile --check come second, on their record's line; the compile's
// diagnostics of the next change come first with the last check's findings kept beside them, until
// that change's own check replaces them (here with none: a dropped record leaves the model
// unchecked).
TEST_F(LspSession, CheckFindingsFollowTheCompilesAndAreKeptUntilTheNextCheck) {
  const std::string board = "indicatori_vmax,  2800,  80, 80, 80, 0,  80, 80, 80, 0";
  const std::string fast = replaced_once(
      line_, board,
      replaced_once(board, "80, 80, 80, 0,  80, 80, 80", "85, 85, 85, 0,  85, 85, 85"));
  const std::string slip = replaced_once(fast, "\npendenza,  1500", "\npendnza,  1500");
  const int board_line = line_index(fast, "indicatori_vmax");
  const int slip_line = line_index(slip, "pendnza");
  const auto served =
      serve_messages({initialize(), open(train_uri_, train_), open(line_uri_, fast),
                      notification("textDocument/didChange",
                                   {{"textDocument", {{"uri", line_uri_}, {"version", 2}}},
                                    {"contentChanges", {{{"text", slip}}}}})});
  std::vector<std::string> published;
  for (const Json& m : served.messages) {
    if (m.value("method", "") != "textDocument/publishDiagnostics" ||
        m["params"]["uri"] != line_uri_) {
      continue;
    }
    std::string codes = "v" + std::to_string(m["params"].value("version", 0)) + ":";
    for (const Json& d : m["params"]["diagnostics"]) {
      codes += " " + d["code"].get<std::string>() + "@" +
               std::to_string(d["range"]["start"]["line"].get<int>()) + "/" +
               std::to_string(d["severity"].get<int>());
    }
    published.push_back(codes);
  }
  const std::string finding = " speed-board@" + std::to_string(board_line) + "/2";
  const std::string error = " unknown-keyword@" + std::to_string(slip_line) + "/1";
  EXPECT_EQ(published,
            (std::vector<std::string>{"v0:",  // opening the train: the line is read from the disk
                                      "v0:",
                                      "v1:",                    // opening the line: the compile's
                                      "v1:" + finding,          // and the check's
                                      "v2:" + error + finding,  // the change: the finding kept
                                      "v2:" + error}));
}

// The partner on disk is what the open buffer pairs with, and a name that is no source gets no
// diagnostic; a source without a partner, one information.
TEST_F(LspSession, PartnersAndFilesThatAreNoSource) {
  scenario::testing::write_file(dir_.file("Rt_123-.txt"), wrong_train_);
  scenario::testing::write_file(dir_.file("notes.txt"), "pendnza, 1\n");
  scenario::testing::write_file(dir_.file("Lone_linea.txt"), line_);
  const std::string notes = uri_of_path(dir_.file("notes.txt"));
  const std::string lone = uri_of_path(dir_.file("Lone_linea.txt"));
  const auto served = serve_messages(
      {initialize(), open(line_uri_, line_), open(notes, "pendnza, 1\n"), open(lone, line_)});
  EXPECT_EQ(served.last_diagnostics(line_uri_), Json::array());
  ASSERT_EQ(served.last_diagnostics(train_uri_).size(), 1u);
  EXPECT_EQ(served.last_diagnostics(train_uri_)[0]["code"], "unknown-keyword");
  EXPECT_EQ(served.last_diagnostics(notes), Json::array());
  ASSERT_EQ(served.last_diagnostics(lone).size(), 1u);
  EXPECT_EQ(served.last_diagnostics(lone)[0]["severity"], 3);
}

// Hover words a curve's class as its radius and a value as the compiler stores it; completion
// puts the keyword nearest the typed word first, as a snippet; the outline holds the sections
// with the stations and their km; the quick fix, applied, gives the keyword it suggests.
TEST_F(LspSession, HoverCompletionSymbolsAndQuickFix) {
  const int curve = line_index(line_, "curvas3");
  const int bad = line_index(wrong_line_, "pendnza");
  const std::string typing = replaced_once(line_, "\ncurvas3,   1500,  300", "\npend");
  const int typed = line_index(typing, "pend");
  const auto opened =
      serve_messages({initialize(), open(line_uri_, wrong_line_), open(train_uri_, train_)});
  const Json diagnostic = opened.last_diagnostics(line_uri_)[0];
  const auto served = serve_messages(
      {initialize(), open(line_uri_, line_), open(train_uri_, train_),
       request(2, "textDocument/hover", position(line_uri_, curve, 3)),
       request(3, "textDocument/hover", position(line_uri_, curve, 12)),
       request(4, "textDocument/documentSymbol", {{"textDocument", {{"uri", train_uri_}}}}),
       notification("textDocument/didChange",
                    {{"textDocument", {{"uri", line_uri_}, {"version", 2}}},
                     {"contentChanges", {{{"text", typing}}}}}),
       request(5, "textDocument/completion", position(line_uri_, typed, 4)),
       request(6, "textDocument/hover", position(line_uri_, typed + 50, 0)),
       request(7, "textDocument/codeAction",
               {{"textDocument", {{"uri", line_uri_}}},
                {"range", diagnostic["range"]},
                {"context", {{"diagnostics", {diagnostic}}}}})});
  const std::string keyword_hover = served.answer(2)["result"]["contents"]["value"];
  EXPECT_NE(keyword_hover.find("class 3, left: radius 2500 m"), std::string::npos) << keyword_hover;
  EXPECT_NE(keyword_hover.find("\"curva\" (line source"), std::string::npos);
  const std::string value_hover = served.answer(3)["result"]["contents"]["value"];
  EXPECT_NE(value_hover.find("**start**"), std::string::npos) << value_hover;
  EXPECT_NE(value_hover.find("value: 1500 m, stored as it is"), std::string::npos) << value_hover;
  EXPECT_TRUE(served.answer(6)["result"].is_null());

  const Json sections = served.answer(4)["result"];
  std::vector<std::string> stations;
  for (const Json& section : sections) {
    for (const Json& s : section.value("children", Json::array())) {
      if (s["kind"] == 23)
        stations.push_back(s["name"].get<std::string>() + " " + s["detail"].get<std::string>());
    }
  }
  EXPECT_EQ(stations,
            (std::vector<std::string>{"stazione PARTENZA km 0.500", "stazione ARRIVO km 5.000"}));

  const Json items = served.answer(5)["result"];
  ASSERT_FALSE(items.empty());
  EXPECT_EQ(items[0]["label"], "pendenza");
  EXPECT_EQ(items[0]["insertTextFormat"], 2);
  EXPECT_EQ(items[0]["textEdit"]["newText"], "pendenza, ${1:position}, ${2:gradient}");
  EXPECT_LT(items[0]["sortText"], items[1]["sortText"]);

  const Json actions = served.answer(7)["result"];
  ASSERT_EQ(actions.size(), 1u) << actions.dump();
  const Json edit = actions[0]["edit"]["changes"][line_uri_][0];
  const Json change{{"range", edit["range"]}, {"text", edit["newText"]}};
  EXPECT_EQ(with_changes(wrong_line_, Json::array({change}), Columns::utf16), line_);
  EXPECT_EQ(diagnostic["range"]["start"]["line"], bad);
}

}  // namespace
}  // namespace scenario::tool::lsp
