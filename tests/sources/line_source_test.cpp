// The built-in line description source, checked line by line against its layout and its rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "format/file_names.h"
#include "sources/writers.h"
#include "written_text.h"

namespace scenario {
namespace {

using testing::WrittenText;

using LineSource = testing::DocumentTest<dati_linea, line_source_path, 121>;

constexpr int line_length_m = 82000;

TEST_F(LineSource, HasItsSectionsAndEmptyLinesWhereTheLayoutPutsThem) {
  EXPECT_EQ(text(1), "Percorso Valdora S.T.V. Lusa C.le");
  EXPECT_EQ(text.empty_lines(), (std::vector<int>{2, 3, 36, 92, 112, 117}));
  const std::map<int, std::string> headers = {
      {14, "[pendenze]"},  {35, "[curve]"},        {91, "[cartelli]"},
      {113, "[montagne]"}, {116, "[indicazioni]"}, {121, "[fine]"},
  };
  for (const auto& [number, header] : headers) EXPECT_EQ(text(number), header) << number;
}

TEST_F(LineSource, KeepsTheTrailingSpacesOfTheStartAndGeneralLinesOnly) {
  EXPECT_EQ(text(4), "inizio_dati  ");
  EXPECT_EQ(text(5), "[generale]" + std::string(26, ' '));
  EXPECT_EQ(text.lines_with_trailing_spaces(), (std::vector<int>{4, 5}));
}

TEST_F(LineSource, GeneralSectionGivesLengthChainageBackgroundsAndSignalRepetition) {
  const std::vector<std::string> general = {
      "lunghezza percorso,    82000",
      "progressiva chilometrica uno,    0,    0,    0",
      "progressiva chilometrica due,    0,    0,    0",
      "progressiva chilometrica tre,    0,    0,    0",
      "sfondo uno,    1",
      "sfondo due,    0",
      "sfondo tre,    0",
      "ripetizione segnali 4 codici,    4650,    79150",
  };
  for (int n = 6; n <= 13; ++n) EXPECT_EQ(text(n), general.at(n - 6)) << n;
}

TEST_F(LineSource, GradientRecordsFollowTheirTableAndWidthRule) {
  const std::vector<std::pair<int, int>> expected = {
      {300, 4},   {500, 0},   {2000, 4},  {2300, 0},   {4000, -4},  {4600, -2}, {6000, 0},
      {8000, -1}, {14000, 1}, {16000, 0}, {22200, -3}, {22600, 0},  {26000, 2}, {27000, 0},
      {56000, 4}, {57000, 0}, {60000, 2}, {60400, 0},  {60500, -4}, {61000, 0},
  };
  const std::regex record(R"(pendenza  , (\d+)( +), (-?\d+))");
  std::vector<std::pair<int, int>> found;
  for (int n = 15; n <= 34; ++n) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(text(n), m, record)) << n << ": " << text(n);
    const std::size_t spaces = m[1].length() == 3 ? 4 : 3;
    EXPECT_EQ(static_cast<std::size_t>(m[2].length()), spaces) << text(n);
    found.emplace_back(std::stoi(m[1]), std::stoi(m[3]));
  }
  EXPECT_EQ(found, expected);
}

struct Curve {
  int line;
  char side;
  int curve_class;
  int start;
  int length;
  std::string text;
};

// The curve records of lines 37 to 90, checked against the width rule as they are read.
std::vector<Curve> curves_of(const WrittenText& text) {
  const std::regex record(R"(curva([sd])([1-6]),( +)(\d+),( +)(\d+))");
  std::vector<Curve> curves;
  for (int n = 37; n <= 90; ++n) {
    std::smatch m;
    if (!std::regex_match(text(n), m, record)) continue;
    const std::size_t digits = m[4].length();
    EXPECT_EQ(static_cast<std::size_t>(m[3].length()), std::max<std::size_t>(2, 6 - digits))
        << text(n);
    EXPECT_EQ(m[5].length(), digits == 5 ? 1 : 2) << text(n);
    curves.push_back(
        {n, m[1].str()[0], std::stoi(m[2]), std::stoi(m[4]), std::stoi(m[6]), text(n)});
  }
  return curves;
}

TEST_F(LineSource, CurvesCountTwentyFourPerSideAndTheStatedNumberPerClass) {
  const auto curves = curves_of(text);
  ASSERT_EQ(curves.size(), 48u);
  std::map<char, int> by_side;
  std::map<int, int> by_class;
  for (const auto& c : curves) {
    ++by_side[c.side];
    ++by_class[c.curve_class];
  }
  EXPECT_EQ(by_side, (std::map<char, int>{{'d', 24}, {'s', 24}}));
  EXPECT_EQ(by_class, (std::map<int, int>{{2, 7}, {3, 12}, {4, 17}, {5, 8}, {6, 4}}));
}

TEST_F(LineSource, CurvesAscendWithinTheirBoundsInFiftyMetreSteps) {
  const auto curves = curves_of(text);
  ASSERT_EQ(curves.size(), 48u);
  for (std::size_t i = 0; i < curves.size(); ++i) {
    const Curve& c = curves[i];
    EXPECT_EQ(c.start % 50, 0) << c.text;
    EXPECT_EQ(c.length % 50, 0) << c.text;
    EXPECT_GE(c.start, 700) << c.text;
    EXPECT_LE(c.start, 79700) << c.text;
    EXPECT_GE(c.length, 50) << c.text;
    EXPECT_LE(c.length, 1400) << c.text;
    EXPECT_LE(c.start + c.length, line_length_m) << c.text;
    if (i > 0) {
      EXPECT_LT(curves[i - 1].start, c.start) << c.text;
    }
  }
}

TEST_F(LineSource, CurvesBeginEndAndPeakWithTheQuotedRecords) {
  const auto curves = curves_of(text);
  ASSERT_EQ(curves.size(), 48u);
  EXPECT_EQ(curves[0].line, 37);
  EXPECT_EQ(curves[0].text, "curvas2,   700,  100");
  EXPECT_EQ(curves[1].text, "curvas3,  1100,  50");
  EXPECT_EQ(curves[2].text, "curvad3,  1150,  300");
  EXPECT_EQ(curves[3].text, "curvad3,  1400,  100");
  EXPECT_EQ(curves.back().line, 90);
  EXPECT_EQ(curves.back().text, "curvas4,  79700, 200");
  std::vector<std::string> longest;
  for (const auto& c : curves) {
    if (c.length == 1400) longest.push_back(c.text);
  }
  EXPECT_EQ(longest, std::vector<std::string>{"curvad4,  56400, 1400"});
}

TEST_F(LineSource, ExactlyFourCurvesBeginFiftyOrHundredMetresIntoThePreviousOne) {
  const auto curves = curves_of(text);
  ASSERT_EQ(curves.size(), 48u);
  std::vector<int> overlapping;
  for (std::size_t i = 1; i < curves.size(); ++i) {
    const int into = curves[i - 1].start + curves[i - 1].length - curves[i].start;
    if (into <= 0) continue;
    overlapping.push_back(curves[i].start);
    EXPECT_TRUE(into == 50 || into == 100) << curves[i].text << " is " << into << " m in";
  }
  EXPECT_EQ(overlapping, (std::vector<int>{1400, 19300, 21550, 48700}));
}

TEST_F(LineSource, PlaceNameCommentsFollowTheirCurvesAndHoldNoKeyword) {
  const auto curves = curves_of(text);
  ASSERT_EQ(curves.size(), 48u);
  // Each comment, with the start of the curve on the line above the comment block.
  std::vector<std::pair<int, std::string>> comments;
  int last_start = 0;
  std::size_t next_curve = 0;
  for (int n = 37; n <= 90; ++n) {
    if (next_curve < curves.size() && curves[next_curve].line == n) {
      last_start = curves[next_curve++].start;
    } else {
      comments.emplace_back(last_start, text(n));
    }
  }
  const std::vector<std::pair<int, std::string>> expected = {
      {6450, "- prasine"},   {15500, "- merva"},    {19000, "- fontegravo"},
      {27100, "-sassolego"}, {27100, "- s tebalo"}, {56400, "- la brisa"},
  };
  EXPECT_EQ(comments, expected);
  for (const auto& [start, comment] : comments) {
    for (const char* keyword : {"curva", "pendenza", "montagna", "cartello", "indicatori_v"}) {
      EXPECT_EQ(comment.find(keyword), std::string::npos) << comment;
    }
  }
}

TEST_F(LineSource, SpeedBoardsCarryNineValuesInStepsOfFive) {
  std::set<int> zero_right_side;
  int previous = 0;
  for (int n = 93; n <= 111; ++n) {
    const std::string& line = text(n);
    SCOPED_TRACE(line);
    const std::regex record(R"(indicatori_vmax(?:, +(\d+)){9})");
    ASSERT_TRUE(std::regex_match(line, record));
    std::vector<int> values;
    const std::regex number(R"(\d+)");
    for (std::sregex_iterator it(line.begin(), line.end(), number), end; it != end; ++it) {
      values.push_back(std::stoi(it->str()));
    }
    ASSERT_EQ(values.size(), 9u);
    EXPECT_GT(values[0], previous);
    EXPECT_LT(values[0], line_length_m);
    previous = values[0];
    for (int k : {1, 2, 3, 5, 6, 7}) EXPECT_EQ(values[k] % 5, 0);
    EXPECT_GT(values[1], 0);
    EXPECT_EQ(values[4], 0);
    EXPECT_EQ(values[8], 0);
    if (values[5] == 0 && values[6] == 0 && values[7] == 0) zero_right_side.insert(values[0]);
  }
  EXPECT_EQ(zero_right_side, (std::set<int>{800, 1900, 69650}));
  EXPECT_EQ(text(103), "indicatori_vmax,  32050,  140,  150,  150,  0,  140,  150,  150,  0");
  EXPECT_EQ(text(111), "indicatori_vmax, 69650, 120, 130, 135, 0,   0,   0,   0, 0");
}

TEST_F(LineSource, TunnelsAndSignsLieOnTheLine) {
  const std::regex tunnel(R"(montagna, (\d+),(\d+),([12]))");
  for (int n : {114, 115}) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(text(n), m, tunnel)) << text(n);
    EXPECT_LT(std::stoi(m[1]), std::stoi(m[2])) << text(n);
    EXPECT_LE(std::stoi(m[2]), line_length_m) << text(n);
  }
  // A sign text runs to the end of the line, so it must hold no comma and no quote.
  const std::regex sign(R"(cartello indicatore,  (\d+),    (\([^,"]*\)))");
  for (int n : {118, 119, 120}) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(text(n), m, sign)) << text(n);
    EXPECT_LT(std::stoi(m[1]), line_length_m) << text(n);
  }
  EXPECT_EQ(text(120), "cartello indicatore,  22100,    ( Ponte  ) (su fiume) (  Omba  )");
}

}  // namespace
}  // namespace scenario
