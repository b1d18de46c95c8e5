#include "compiler/field_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scenario {
namespace {

// A field as read, and the line the reader is on after it (0: not checked).
struct Read {
  std::string field;
  int line = 0;
};

// Reads the fields one after another, expects each, and expects the end after the last.
void expect_reads(const std::string& text, const std::vector<Read>& reads) {
  FieldReader r(text);
  for (const Read& read : reads) {
    EXPECT_EQ(r.read_field(), read.field);
    if (read.line != 0) {
      EXPECT_EQ(r.line(), read.line) << "after " << read.field;
    }
  }
  EXPECT_TRUE(r.at_end());
}

TEST(FieldReaderTest, FieldDropsLeadingSpacesOnlyAndKeepsTrailingOnes) {
  expect_reads("  pendenza  , \tx ,[generale]   \r\n",
               {{"pendenza  "}, {"\tx "}, {"[generale]   "}});
}

TEST(FieldReaderTest, EmptyLinesAndALineEndingInACommaYieldEmptyFields) {
  // The station comment line ends in a comma: one further, empty field follows it.
  expect_reads("-  pos. tipo   nome    ,\r\n\r\nstazione,",
               {{"-  pos. tipo   nome    "}, {"", 1}, {"", 2}, {"stazione", 3}});
}

TEST(FieldReaderTest, LinesEndAtCrLfLoneCrOrLoneLf) {
  // LF then CR is two line ends: an empty line 5 between them.
  expect_reads("a\r\nb\rc\nd\n\re", {{"a"}, {"b"}, {"c"}, {"d", 4}, {"", 5}, {"e", 6}});
}

TEST(FieldReaderTest, OrologioNumbersSeparatedBySpacesWithATrailingSpace) {
  FieldReader r("orologio,    19              4             30 \r\n[aderenze] \r\n");
  EXPECT_EQ(r.read_field(), "orologio");
  EXPECT_EQ(r.read_short(), 19);
  EXPECT_EQ(r.read_short(), 4);
  EXPECT_EQ(r.read_short(), 30);
  // The trailing space and the line end went with the last number.
  EXPECT_EQ(r.read_field(), "[aderenze] ");
  EXPECT_EQ(r.line(), 2);
  EXPECT_TRUE(r.at_end());
}

TEST(FieldReaderTest, SpacesBeforeTheCommaAfterANumberAreConsumedWithIt) {
  FieldReader r("pendenza  , 300    , 4\r\nabbattimento codice,76250,0  \r\nnext");
  EXPECT_EQ(r.read_field(), "pendenza  ");
  EXPECT_EQ(r.read_whole(), 300);
  EXPECT_EQ(r.read_whole(), 4);
  EXPECT_EQ(r.read_field(), "abbattimento codice");
  EXPECT_EQ(r.read_whole(), 76250);
  EXPECT_EQ(r.read_whole(), 0);
  EXPECT_EQ(r.read_field(), "next");
  EXPECT_EQ(r.line(), 3);
}

TEST(FieldReaderTest, OnlyOneCommaGoesWithANumber) {
  // The second comma starts an empty field.
  FieldReader r("5,,x");
  EXPECT_EQ(r.read_whole(), 5);
  EXPECT_EQ(r.read_field(), "");
  EXPECT_EQ(r.read_field(), "x");
}

TEST(FieldReaderTest, StationRowReadsNumbersThenTheNameToTheLineEnd) {
  FieldReader r(
      "Stazione,   2750,  2, 600,  1, 0, 1,   4,1,0,  2,1,1, 40, 19,11, 0, VALDORA CORVELI\r\n");
  EXPECT_EQ(r.read_field(), "Stazione");
  EXPECT_EQ(r.read_whole(), 2750);
  EXPECT_EQ(r.read_byte(), 2);
  EXPECT_EQ(r.read_whole(), 600);
  for (int expected : {1, 0, 1}) EXPECT_EQ(r.read_byte(), expected);
  for (int expected : {4, 1}) EXPECT_EQ(r.read_short(), expected);
  EXPECT_EQ(r.read_byte(), 0);
  for (int expected : {2, 1, 1}) EXPECT_EQ(r.read_short(), expected);
  EXPECT_EQ(r.read_byte(), 40);
  for (int expected : {19, 11, 0}) EXPECT_EQ(r.read_whole(), expected);
  EXPECT_EQ(r.read_field(), "VALDORA CORVELI");
  EXPECT_TRUE(r.at_end());
}

TEST(FieldReaderTest, SignTextKeepsItsInnerSpacesAndParentheses) {
  FieldReader r("cartello indicatore,  22100,    ( Ponte  ) (su fiume) (  Omba  )\r\n");
  EXPECT_EQ(r.read_field(), "cartello indicatore");
  EXPECT_EQ(r.read_whole(), 22100);
  EXPECT_EQ(r.read_field(), "( Ponte  ) (su fiume) (  Omba  )");
}

TEST(FieldReaderTest, ANumberAtTheEndOfALineIsEmptyAndNeverTakenFromTheNextLine) {
  FieldReader r("sabbia,\r\n0\r\n");
  EXPECT_EQ(r.read_field(), "sabbia");
  EXPECT_THROW(r.read_whole(), SourceReadError);
  EXPECT_EQ(r.line(), 1);

  FieldReader spaces("sabbia,   \n7");
  spaces.read_field();
  EXPECT_THROW(spaces.read_short(), SourceReadError);
}

TEST(FieldReaderTest, AReadStartingAtTheEndOfTheSourceFails) {
  FieldReader r("x, 12");
  EXPECT_EQ(r.read_field(), "x");
  EXPECT_EQ(r.read_whole(), 12);
  EXPECT_TRUE(r.at_end());
  EXPECT_THROW(r.read_whole(), SourceReadError);
  EXPECT_THROW(r.read_field(), SourceReadError);

  FieldReader empty("");
  EXPECT_TRUE(empty.at_end());
  EXPECT_THROW(empty.read_field(), SourceReadError);
}

TEST(FieldReaderTest, MalformedNumbersFail) {
  for (const char* text : {",", "abc,", "1.5,", "12a,", "-,", "--3,", "+3,", "1\t,", "0x10,"}) {
    FieldReader r(text);
    EXPECT_THROW(r.read_whole(), SourceReadError) << text;
  }
}

TEST(FieldReaderTest, NegativeNumbersAndLeadingZeros) {
  FieldReader r("-4, 05, -0, -32768, 255");
  EXPECT_EQ(r.read_whole(), -4);
  EXPECT_EQ(r.read_whole(), 5);
  EXPECT_EQ(r.read_whole(), 0);
  EXPECT_EQ(r.read_short(), -32768);
  EXPECT_EQ(r.read_byte(), 255);
}

TEST(FieldReaderTest, EachWidthRefusesTheFirstValueBeyondIt) {
  struct Case {
    char width;
    std::vector<const char*> fit;
    std::vector<const char*> beyond;
  };
  const Case cases[] = {
      {'w', {"2147483647", "-2147483648"}, {"2147483648", "-2147483649", "99999999999999999999"}},
      {'s', {"32767", "-32768"}, {"32768", "-32769"}},
      {'b', {"255", "0"}, {"256", "-1"}},
  };
  for (const Case& c : cases) {
    const auto read = [&](const char* text) {
      FieldReader r(text);
      if (c.width == 'w') r.read_whole();
      if (c.width == 's') r.read_short();
      if (c.width == 'b') r.read_byte();
    };
    for (const char* text : c.fit) EXPECT_NO_THROW(read(text)) << text;
    for (const char* text : c.beyond) EXPECT_THROW(read(text), SourceReadError) << text;
  }
}

TEST(FieldReaderTest, LineOfAReadIsWhereItBegins) {
  FieldReader r("a\r\n\r\nb, 1\r\n");
  r.read_field();
  EXPECT_EQ(r.line(), 1);
  r.read_field();
  EXPECT_EQ(r.line(), 2);
  r.read_field();
  EXPECT_EQ(r.line(), 3);
  // The number consumes the line end, but it was read on line 3.
  EXPECT_EQ(r.read_whole(), 1);
  EXPECT_EQ(r.line(), 3);
  EXPECT_TRUE(r.at_end());
}

}  // namespace
}  // namespace scenario
