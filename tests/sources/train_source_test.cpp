// The built-in train description source, checked line by line against its layout and its rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "format/file_names.h"
#include "sources/writers.h"
#include "written_text.h"

namespace scenario {
namespace {

using testing::WrittenText;

using TrainSource = testing::DocumentTest<dati_treno, train_source_path, 119>;

constexpr int line_length_m = 82000;

std::vector<std::string> split(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  std::string field;
  while (std::getline(in, field, separator)) fields.push_back(field);
  if (!line.empty() && line.back() == separator) fields.emplace_back();
  return fields;
}

int number(const std::string& field) { return std::stoi(field); }

TEST_F(TrainSource, HasItsSectionsAndEmptyLinesWhereTheLayoutPutsThem) {
  EXPECT_EQ(text(1), std::string(18, ' ') + "Treno 24863 percorso Valdora S.T.V. Lusa C.le");
  EXPECT_EQ(text(3), "inizio_dati");
  EXPECT_EQ(text.empty_lines(),
            (std::vector<int>{2, 33, 54, 60, 61, 73, 80, 84, 90, 94, 102, 107, 110, 117, 119}));
  const std::map<int, std::string> headers = {
      {4, "[generale]"},       {9, "[aderenze] "}, {12, "[vel_limite]"}, {34, "[stazioni]"},
      {55, "[rallentamenti]"}, {59, "[segnali]"},  {115, "[codici]"},    {118, "[fine]"},
  };
  for (const auto& [n, header] : headers) EXPECT_EQ(text(n), header) << n;
}

TEST_F(TrainSource, KeepsTheTrailingSpacesOfAdhesionHeaderClockAndCodeDrop) {
  EXPECT_EQ(text.lines_with_trailing_spaces(), (std::vector<int>{8, 9, 116}));
  EXPECT_EQ(testing::trailing_spaces(text(8)), 1u);
  EXPECT_EQ(testing::trailing_spaces(text(9)), 1u);
  EXPECT_EQ(text(116), "abbattimento codice,76250,0  ");
}

TEST_F(TrainSource, GeneralValuesAndClockSeparatedBySpaces) {
  EXPECT_EQ(text(5), "numero vetture,    6");
  EXPECT_EQ(text(6), "percentuale massa frenata,    120");
  EXPECT_EQ(text(7), "sabbia,    0");
  EXPECT_EQ(text(8), "orologio,    19" + std::string(14, ' ') + "4" + std::string(13, ' ') + "30 ");
  std::istringstream clock(split(text(8), ',').at(1));
  int h = -1, m = -1, s = -1;
  clock >> h >> m >> s;
  EXPECT_EQ(std::vector<int>({h, m, s}), std::vector<int>({19, 4, 30}));
  EXPECT_EQ(text(10), "aderenza,  0, 100");
  EXPECT_EQ(text(11), "aderenza,  15000, 70");
}

TEST_F(TrainSource, SpeedLimitsFollowTheirTableAndWidthRule) {
  const std::vector<std::pair<int, int>> expected = {
      {0, 30},      {500, 115},   {2760, 95},   {7380, 130},  {15000, 115},
      {17000, 100}, {18600, 90},  {20800, 80},  {22150, 90},  {27560, 150},
      {30000, 160}, {32600, 150}, {34700, 160}, {42150, 150}, {47960, 130},
      {50740, 160}, {60550, 150}, {62600, 160}, {67100, 150}, {70650, 130},
  };
  // Position right-aligned in six, speed in five (four in the first record).
  const std::regex record(R"(velocita' limite ,( *\d+)    ,( *\d+))");
  std::vector<std::pair<int, int>> found;
  for (int n = 13; n <= 32; ++n) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(text(n), m, record)) << n << ": " << text(n);
    EXPECT_EQ(m[1].length(), 6) << text(n);
    EXPECT_EQ(m[2].length(), n == 13 ? 4 : 5) << text(n);
    EXPECT_EQ(number(m[2]) % 5, 0) << text(n);
    found.emplace_back(number(m[1]), number(m[2]));
  }
  EXPECT_EQ(found, expected);
}

struct Station {
  std::string keyword;
  int position;
  int type;
  int length;
  std::string name;
};

// The extent that the reader derives from position, length and type.
std::pair<int, int> extent(const Station& s) {
  if (s.type == 5 || s.type == 6) return {s.position - s.length, s.position + 150};
  if (s.type == 7 || s.type == 8) return {s.position - s.length, s.position + s.length};
  return {s.position - s.length / 2, s.position + s.length / 2};
}

TEST_F(TrainSource, StationRowsHoldSeventeenValuesAndLeaveRoomBetweenStations) {
  std::vector<Station> stations;
  for (int n = 38; n <= 53; ++n) {
    SCOPED_TRACE(text(n));
    const auto fields = split(text(n), ',');
    ASSERT_EQ(fields.size(), 18u);  // the keyword, 16 values and the name
    for (std::size_t k = 1; k <= 16; ++k) EXPECT_NO_THROW((void)number(fields[k])) << k;
    stations.push_back({fields[0], number(fields[1]), number(fields[2]), number(fields[3]),
                        fields[17].substr(fields[17].find_first_not_of(' '))});
  }
  ASSERT_EQ(stations.size(), 16u);
  EXPECT_EQ(stations[0].name, "VALDORA S.T.V.");
  EXPECT_EQ(stations[1].keyword, "Stazione");
  EXPECT_EQ(stations.back().name, "LUSA C.le");
  const std::set<int> types = {2, 4, 8, 12, 22, 28};
  for (std::size_t i = 0; i < stations.size(); ++i) {
    const Station& s = stations[i];
    SCOPED_TRACE(s.name);
    std::string keyword = s.keyword;
    std::transform(keyword.begin(), keyword.end(), keyword.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    EXPECT_EQ(keyword, "stazione");
    EXPECT_EQ(s.position % 50, 0);
    EXPECT_EQ(s.length % 100, 0);
    EXPECT_TRUE(types.count(s.type));
    EXPECT_LE(s.position, line_length_m);
    if (i > 0) {
      EXPECT_GE(extent(s).first - extent(stations[i - 1]).second, 350);
    }
  }
}

TEST_F(TrainSource, StationCommentsEndTheFirstWithACommaAndHoldNoKeyword) {
  EXPECT_EQ(text(35).back(), ',');
  for (int n : {35, 36, 37, 62, 63, 64}) {
    EXPECT_EQ(text(n).front(), '-') << n;
    for (const char* keyword : {"stazione", "segnale", "velocit", "aderenza", "rallentamento",
                                "abbattimento", "vetture", "sabbia", "orologio"}) {
      EXPECT_EQ(text(n).find(keyword), std::string::npos) << n << ": " << keyword;
    }
  }
  EXPECT_EQ(text(63), "-                a  d1 d2 d3 ra       d1 d2 d3 ac");
}

TEST_F(TrainSource, SlowdownsCarrySixValues) {
  EXPECT_EQ(text(56), "rallentamento,  10500, 30, 150, 1, 1, 0");
  EXPECT_EQ(text(57), "rallentamento,  48400, 40, 2500, 0, 1, 0");
  EXPECT_EQ(text(58), "rallentamento,  75500, 30, 200, 0, 1, 0");
}

struct SignalPattern {
  char letter;
  std::string values;  // sx s1 s2 s3 rapp, then dx d1 d2 d3
  std::vector<int> positions;
};

TEST_F(TrainSource, SignalsFollowTheirPatternTableAndWidthRule) {
  const std::vector<SignalPattern> patterns = {
      {'A', "1 3 4 0 0 0 0 0 0", {1000}},
      {'B', "2 2 3 1 0 2 2 1 1", {2100, 15100, 60550}},
      {'C', "2 4 1 0 0 2 2 1 0", {4600, 24850, 31250, 40800, 46600, 65550, 70300}},
      {'D', "2 3 1 1 0 2 2 1 1", {6400, 25950, 32600, 42150, 47950, 67100, 71500}},
      {'E',
       "2 4 0 0 0 2 1 0 0",
       {9800, 11750, 21950, 23500, 29450, 35750, 37700, 39450, 45150, 51100, 52500, 54350, 55800,
        57650, 63200, 64200, 74800, 76150}},
      {'F', "2 3 4 0 0 2 2 1 0", {13700, 59050}},
      {'G', "2 3 0 0 0 2 1 0 0", {18050, 20000}},
      {'H', "2 5 6 0 0 2 2 1 0", {77500}},
      {'I', "2 2 3 1 1 2 2 1 1", {79150}},
  };
  const std::map<int, int> tempo = {{9800, 190},  {18050, 250}, {20000, 190}, {21950, 120},
                                    {63200, 180}, {70300, 220}, {74800, 190}};
  // Position right-aligned in seven; five spaces between the two groups.
  const std::regex record(
      R"(segnale,( *\d+), (\d), (\d), (\d), (\d), (\d),     (\d), (\d), (\d), (\d), (\d+))");
  std::map<char, std::vector<int>> found;
  std::vector<int> positions;
  std::vector<int> followed_by_empty_line;
  for (int n = 65; n <= 114; ++n) {
    if (text(n).empty()) {
      followed_by_empty_line.push_back(positions.back());
      continue;
    }
    std::smatch m;
    ASSERT_TRUE(std::regex_match(text(n), m, record)) << n << ": " << text(n);
    EXPECT_EQ(m[1].length(), 7) << text(n);
    const int position = number(m[1]);
    std::string values = m[2];
    for (int k = 3; k <= 10; ++k) values += " " + m[k].str();
    const auto pattern = std::find_if(patterns.begin(), patterns.end(),
                                      [&](const SignalPattern& p) { return p.values == values; });
    ASSERT_NE(pattern, patterns.end()) << text(n);
    found[pattern->letter].push_back(position);
    positions.push_back(position);
    const auto t = tempo.find(position);
    EXPECT_EQ(number(m[11]), t == tempo.end() ? 0 : t->second) << text(n);
  }
  for (const auto& p : patterns) EXPECT_EQ(found[p.letter], p.positions) << p.letter;
  EXPECT_EQ(positions.size(), 42u);
  EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
  EXPECT_EQ(std::adjacent_find(positions.begin(), positions.end()), positions.end());
  EXPECT_EQ(followed_by_empty_line,
            (std::vector<int>{15100, 25950, 32600, 42150, 47950, 60550, 67100, 71500}));
  EXPECT_EQ(text(65), "segnale,   1000, 1, 3, 4, 0, 0,     0, 0, 0, 0, 0");
  EXPECT_EQ(text(69), "segnale,   9800, 2, 4, 0, 0, 0,     2, 1, 0, 0, 190");
}

}  // namespace
}  // namespace scenario
