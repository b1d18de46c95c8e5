// The built-in slowdown order form: line lengths, the table grid, the legend order, and agreement
// with the slowdowns of the train source.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "format/file_names.h"
#include "sources/writers.h"
#include "written_text.h"

namespace scenario {
namespace {

using testing::WrittenText;

using SlowdownOrder = testing::DocumentTest<dati_rallentamenti, slowdown_order_path, 41>;

TEST_F(SlowdownOrder, EveryLineHasItsStatedLengthAndNoneEndsInASpace) {
  std::vector<std::size_t> lengths = {0, 42, 50, 81, 21, 0, 80, 81};
  lengths.insert(lengths.end(), 34 - 8, 82);
  lengths.insert(lengths.end(), {0, 37, 63, 42, 49, 58, 42});
  for (int n = 1; n <= 41; ++n)
    EXPECT_EQ(text(n).size(), lengths.at(n - 1)) << n << ": " << text(n);
  EXPECT_EQ(text.empty_lines(), (std::vector<int>{1, 6, 35}));
  EXPECT_TRUE(text.lines_with_trailing_spaces().empty());
}

TEST_F(SlowdownOrder, HeadingAndOrderSentence) {
  EXPECT_EQ(text(2), std::string(31, ' ') + "Modulo M. 3");
  EXPECT_EQ(text(3), std::string(27, ' ') + "ORDINE DI RALLENTAMENTO");
  EXPECT_EQ(text(4), " " + std::string(80, '_'));
  EXPECT_EQ(text(7),
            "  Si ordina al macchinista del treno 24863 di effettura i seguenti rallentamenti");
}

// Bars after the leading space and after each of the six columns (widths 3, 28, 12, 10, 9, 12).
TEST_F(SlowdownOrder, TableLinesKeepTheColumnGrid) {
  const std::vector<std::size_t> bars = {1, 5, 34, 47, 58, 68, 81};
  for (int n = 9; n <= 34; ++n) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < text(n).size(); ++i) {
      if (text(n)[i] == '|') found.push_back(i);
    }
    EXPECT_EQ(found, bars) << n << ": " << text(n);
  }
  EXPECT_EQ(text(34), text(12));
  const std::string empty_row =
      " |   |                            |            |          |         |            |";
  for (int n = 16; n <= 33; ++n) EXPECT_EQ(text(n), empty_row) << n;
}

// The three filled rows order what the train source records: kilometre of the start, speed,
// length, and prescription A exactly for the slowdown to be respected with the whole train.
TEST_F(SlowdownOrder, FilledRowsAgreeWithTheTrainSourceSlowdowns) {
  const WrittenText& order = text;
  const WrittenText train(dati_treno, train_source_path);
  ASSERT_EQ(train.count(), 119);
  const std::regex row(R"( \| (\d) \|  (.+?) +\| +(\d+) +\| +(\d+) +\| +(\d+) +\| +(A|---) +\|)");
  const std::regex slowdown(R"(rallentamento,  (\d+), (\d+), (\d+), ([01]), [01], 0)");
  for (int k = 0; k < 3; ++k) {
    std::smatch r, s;
    ASSERT_TRUE(std::regex_match(order(13 + k), r, row)) << order(13 + k);
    ASSERT_TRUE(std::regex_match(train(56 + k), s, slowdown)) << train(56 + k);
    EXPECT_EQ(std::stoi(r[1]), k + 1);
    EXPECT_EQ(std::stoi(r[3]), std::stoi(s[1]) / 1000);
    EXPECT_EQ(r[4], s[2]);
    EXPECT_EQ(r[5], s[3]);
    EXPECT_EQ(r[6] == "A", s[4] == "1");
  }
}

TEST_F(SlowdownOrder, LegendListsDBeforeCAndCContinuesOnTheNextLine) {
  EXPECT_EQ(text(36), std::string(14, ' ') + "Prescrizioni specifiche");
  EXPECT_EQ(text(37).substr(0, 5), " A - ");
  EXPECT_EQ(text(38).substr(0, 5), " B - ");
  EXPECT_EQ(text(39), " D - Rallentamneto N. ... e N. ...  sono contigui");
  EXPECT_EQ(text(40), " C - Da rispettare dalle ore ....  alle ore ..... di tutti");
  EXPECT_EQ(text(41), "     i giorni esclusi i seguenti:.........");
}

}  // namespace
}  // namespace scenario
