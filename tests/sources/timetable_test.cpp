// The built-in timetable sheet: line lengths, the column grid of the timetable and its spaces.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "format/file_names.h"
#include "sources/writers.h"
#include "written_text.h"

namespace scenario {
namespace {

using Timetable = testing::DocumentTest<dati_scheda, timetable_path, 48>;

TEST_F(Timetable, EveryLineHasItsStatedLength) {
  const std::vector<std::size_t> lengths = {
      0,  1,  83, 84, 84, 84, 84, 57, 64, 57, 59, 0,  82, 83, 83, 83,
      83, 83, 83, 83, 83, 83, 83, 83, 84, 83, 83, 83, 83, 83, 83, 83,
      83, 84, 83, 84, 83, 83, 83, 83, 84, 83, 84, 84, 85, 84, 83, 83,
  };
  for (int n = 1; n <= 48; ++n)
    EXPECT_EQ(text(n).size(), lengths.at(n - 1)) << n << ": " << text(n);
}

TEST_F(Timetable, BeginsWithAnEmptyLineAndALineOfOneSpace) {
  EXPECT_EQ(text(1), "");
  EXPECT_EQ(text(2), " ");
  EXPECT_EQ(text.empty_lines(), (std::vector<int>{1, 12}));
}

TEST_F(Timetable, KeepsTheTrailingSpacesOfTheBoxesAndTheMarkedRows) {
  EXPECT_EQ(text.lines_with_trailing_spaces(),
            (std::vector<int>{2, 8, 9, 11, 25, 34, 36, 41, 43, 44, 45, 46}));
  EXPECT_EQ(testing::trailing_spaces(text(9)), 7u);
  EXPECT_EQ(testing::trailing_spaces(text(11)), 2u);
  EXPECT_EQ(testing::trailing_spaces(text(45)), 2u);
  EXPECT_NE(text(45).find("S.BALDIERO"), std::string::npos);
}

// Bars after the leading space and after each of the seven columns (widths 5, 5, 10, 5, 28, 16, 5).
TEST_F(Timetable, TimetableLinesKeepTheColumnGrid) {
  const std::vector<std::size_t> bars = {1, 7, 13, 24, 30, 59, 76, 82};
  for (int n = 14; n <= 48; ++n) {
    const std::string& line = text(n);
    SCOPED_TRACE(line);
    ASSERT_GE(line.size(), 83u);
    EXPECT_EQ(line[0], ' ');
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < 83; ++i) {
      if (line[i] == '|') found.push_back(i);
    }
    EXPECT_EQ(found, bars);
    EXPECT_EQ(line.find_first_not_of(' ', 83), std::string::npos);
  }
  EXPECT_EQ(text(48), text(16));
}

// Speed limit and number columns: right-aligned in four with one space after, or blank.
TEST_F(Timetable, SpeedAndNumberColumnsAreRightAlignedOrBlank) {
  const std::regex cell(R"( *\d+ | {5})");
  int numbered_after_sassolego = 0;
  bool past_sassolego = false;
  for (int n = 17; n <= 47; ++n) {
    const std::string& line = text(n);
    EXPECT_TRUE(std::regex_match(line.substr(2, 5), cell)) << line;
    EXPECT_TRUE(std::regex_match(line.substr(25, 5), cell)) << line;
    EXPECT_EQ(line.substr(8, 5), "     ") << line;
    if (past_sassolego && line.substr(25, 5) != "     ") ++numbered_after_sassolego;
    if (line.find("SASSOLEGO B.no") != std::string::npos) past_sassolego = true;
  }
  EXPECT_TRUE(past_sassolego);
  EXPECT_EQ(numbered_after_sassolego, 0);
}

TEST_F(Timetable, HeaderNamesTheTrainItsTerminiAndItsBrakedMass) {
  EXPECT_EQ(text(5),
            " |   TRENO n. 24863  |                da: VALDORA S.T.V.            |    V160 B    |");
  EXPECT_NE(text(6).find("a: LUSA C.le"), std::string::npos);
  EXPECT_NE(text(6).find("120%"), std::string::npos);
  EXPECT_EQ(text(17),
            " |  30 |     |    0     |  30 | VALDORA S.T.V.             |          19.05 |     |");
  EXPECT_EQ(text(47),
            " |     |     |   80.840 |     | LUSA                       | 20.22          | 1.5 |");
}

}  // namespace
}  // namespace scenario
