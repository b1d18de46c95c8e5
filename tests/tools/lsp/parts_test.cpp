// The small parts the server stands on: URIs, the naming rule of the pair, columns.
#include <gtest/gtest.h>

#include "scenario_tool/lsp/source_pair.h"
#include "scenario_tool/lsp/text_lines.h"
#include "scenario_tool/lsp/uri.h"

namespace scenario::tool::lsp {
namespace {

TEST(LspUri, PathsRoundTripAndOtherSchemesNameNoFile) {
  for (const std::string path : {"/tmp/Rt_linea.txt", "/a b/c%d/Città_1-.txt", "/x/#1?/y"}) {
    EXPECT_EQ(path_of_uri(uri_of_path(path)), path) << uri_of_path(path);
  }
  EXPECT_EQ(uri_of_path("/a b/x"), "file:///a%20b/x");
  EXPECT_EQ(path_of_uri("file://localhost/tmp/x"), "/tmp/x");
  EXPECT_EQ(path_of_uri("file:///C:/x/y"), "C:/x/y");
  EXPECT_EQ(path_of_uri("file:///bad%zz"), "/bad%zz");
  EXPECT_FALSE(path_of_uri("untitled:Untitled-1"));
  EXPECT_FALSE(path_of_uri("file://otherhost/x"));
}

// The partner of a source among its folder's names: the first train of a line's route, the
// longest route a train belongs to.
TEST(LspPair, PartnerTable) {
  const std::vector<std::string> folder = {"A_linea.txt", "A_B_linea.txt", "A_9-.txt",
                                           "A_B_7-.txt",  "A_1-.txt",      "notes.txt"};
  const struct {
    const char* name;
    const char* partner;  // empty: none
  } cases[] = {{"A_linea.txt", "A_1-.txt"}, {"A_B_linea.txt", "A_B_7-.txt"},
               {"A_9-.txt", "A_linea.txt"}, {"A_B_7-.txt", "A_B_linea.txt"},
               {"C_linea.txt", ""},         {"C_1-.txt", ""},
               {"notes.txt", ""},           {"_linea.txt", ""}};
  for (const auto& c : cases) {
    EXPECT_EQ(partner_name(c.name, folder).value_or(""), c.partner) << c.name;
  }
  const ScenarioIds ids = ids_of_pair("A_B_linea.txt", "A_B_7-.txt");
  EXPECT_EQ(ids.route_id, "A_B");
  EXPECT_EQ(ids.train_number, "7");
}

// Columns in UTF-16 units count a character outside the basic plane twice and a two-byte one
// once; in UTF-8 they are bytes.
TEST(LspColumns, Utf16AndUtf8Table) {
  const std::string line = "città \xF0\x9F\x9A\x86 x";  // "città 🚆 x"
  const struct {
    std::size_t offset;
    int utf16;
  } cases[] = {{0, 0}, {4, 4}, {6, 5}, {7, 6}, {11, 8}, {13, 10}};
  for (const auto& c : cases) {
    EXPECT_EQ(column_of(line, c.offset, Columns::utf16), c.utf16) << c.offset;
    EXPECT_EQ(offset_of(line, c.utf16, Columns::utf16), c.offset) << c.utf16;
    EXPECT_EQ(column_of(line, c.offset, Columns::utf8), static_cast<int>(c.offset));
  }
  const std::string text = "a\r\nbb\rccc\nd";
  const LineIndex index(text);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(index.line(i), line_of(text, i)) << i;
  EXPECT_EQ(index.line(2), "ccc");
  EXPECT_EQ(index.line(4), "");
}

}  // namespace
}  // namespace scenario::tool::lsp
