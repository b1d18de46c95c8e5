#include "compiler/codes.h"

#include <gtest/gtest.h>

#include <set>

#include "compiler/code_log.h"

namespace scenario {
namespace {

TEST(CodesTest, EveryCodeOnceWithAMeaning) {
  const std::set<int> expected{101, 102, 1,  3,  4,  5,  103, 15, 6,  7,  8,  9,  24,   22,
                               10,  2,   25, 16, 17, 18, 19,  20, 21, 11, 12, 13, 1250, 1251};
  std::set<int> seen;
  for (const auto& e : all_codes()) {
    EXPECT_TRUE(seen.insert(number(e.code)).second) << "code " << number(e.code) << " twice";
    EXPECT_FALSE(e.meaning.empty());
    EXPECT_FALSE(e.raised_by.empty());
  }
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(code_meaning(Code::signal_taken), "a signal's cell is already taken");
  EXPECT_EQ(code_meaning(static_cast<Code>(999)), "unknown error code");
  EXPECT_EQ(to_string(Code::header_slot_taken), "1250");
}

// The last code wins; a code without a position keeps the earlier position but says it has none;
// every code reaches the observer with the place the reader last gave.
TEST(CodeLogTest, LastCodeWinsAndEveryCodeReachesTheObserver) {
  struct Heard : CompileObserver {
    void on_code(Code code, std::optional<std::int32_t> pos, SourceKind source, int line) override {
      codes.push_back(code);
      positions.push_back(pos);
      places.emplace_back(source, line);
    }
    void on_unknown_keyword(SourceKind, int, const std::string&) override {}
    std::vector<Code> codes;
    std::vector<std::optional<std::int32_t>> positions;
    std::vector<std::pair<SourceKind, int>> places;
  } heard;
  CodeLog log(heard);
  EXPECT_FALSE(log.any());
  log.reading(SourceKind::train, 12);
  log.record_at(Code::signal_taken, 1000);
  log.reading(SourceKind::none, 0);
  log.record(Code::no_room_in_band);
  EXPECT_EQ(log.last().code, Code::no_room_in_band);
  EXPECT_FALSE(log.last().has_pos);
  EXPECT_EQ(log.last().pos, 1000);
  EXPECT_EQ(heard.codes, (std::vector<Code>{Code::signal_taken, Code::no_room_in_band}));
  EXPECT_EQ(heard.positions, (std::vector<std::optional<std::int32_t>>{1000, std::nullopt}));
  EXPECT_EQ(heard.places, (std::vector<std::pair<SourceKind, int>>{{SourceKind::train, 12},
                                                                   {SourceKind::none, 0}}));
  log.clear();
  EXPECT_FALSE(log.any());
}

}  // namespace
}  // namespace scenario
