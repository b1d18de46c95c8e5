#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "compiler/recorders.h"
#include "format/model.h"

namespace scenario {
namespace {

using Triple = std::array<std::int32_t, 3>;

// The triples as read: "tre" into entry 81, "due" into 82, "uno" into 83.
SimTable read_as(const Triple& tre, const Triple& due, const Triple& uno) {
  SimTable table{};
  const std::array<Triple, 3> triples{tre, due, uno};
  for (int k = 0; k < 3; ++k) {
    SimRecord& r = table[table_entry::km_tre + k];
    r.start_m = triples[k][0];
    r.end_m = triples[k][1];
    r.pos_m = triples[k][2];
  }
  return table;
}

Triple entry(const SimTable& table, int e) {
  const SimRecord& r = table[e];
  return {r.start_m, r.end_m, r.pos_m};
}

void expect_order(const SimTable& state, const Triple& first, const Triple& second,
                  const Triple& third) {
  EXPECT_EQ(entry(state, table_entry::km_tre), first);
  EXPECT_EQ(entry(state, table_entry::km_due), second);
  EXPECT_EQ(entry(state, table_entry::km_uno), third);
}

// Reads the three triples in, sorts them, and expects them in the given order.
void expect_ordered(const std::array<Triple, 3>& read, const std::array<Triple, 3>& expected) {
  SimTable state = read_as(read[0], read[1], read[2]);
  progressive_ordina(state);
  expect_order(state, expected[0], expected[1], expected[2]);
}

const Triple kZero{0, 0, 0};

TEST(ProgressiveOrdinaTest, AllZeroStaysZero) {
  expect_ordered({kZero, kZero, kZero}, {kZero, kZero, kZero});
}

TEST(ProgressiveOrdinaTest, GreatestStartComesFirstThenTheGreaterOfTheOtherTwo) {
  const Triple a{3000, 3500, 0};
  const Triple b{2000, 2500, 0};
  const Triple c{1000, 1500, 0};
  struct Case {
    Triple tre, due, uno, first, second, third;
  };
  for (const Case& k : {Case{a, b, c, a, b, c}, Case{a, c, b, a, b, c}, Case{b, a, c, a, b, c},
                        Case{c, a, b, a, b, c}, Case{b, c, a, a, b, c}, Case{c, b, a, a, b, c}}) {
    expect_ordered({k.tre, k.due, k.uno}, {k.first, k.second, k.third});
  }
}

TEST(ProgressiveOrdinaTest, TieOfTheTwoSmallerStartsFollowsTheFixedRules) {
  const Triple big{5000, 1, 0};
  const Triple x{1000, 2, 0};
  const Triple y{1000, 3, 0};
  // greatest "tre": "uno" goes second unless "due" is strictly greater
  expect_ordered({big, x, y}, {big, y, x});
  // greatest "due": "uno" second unless "tre" is strictly greater
  expect_ordered({x, big, y}, {big, y, x});
  // greatest "uno": "due" second unless "tre" is strictly greater
  expect_ordered({x, y, big}, {big, y, x});
}

TEST(ProgressiveOrdinaTest, NoStrictlyGreatestStartClearsAllNine) {
  expect_ordered({Triple{3000, 1, 1}, Triple{3000, 2, 2}, Triple{1000, 3, 3}},
                 {kZero, kZero, kZero});
}

TEST(ProgressiveOrdinaTest, WithoutStartsTheEndsDecideAndTheLastRuleWins) {
  const Triple tre{0, 100, 7};
  const Triple due{0, 200, 8};
  const Triple uno{0, 300, 9};
  const Triple none_tre{0, 0, 7};
  const Triple none_due{0, -5, 8};
  const Triple none_uno{0, 0, 9};
  expect_ordered({tre, none_due, none_uno}, {tre, none_due, none_uno});
  expect_ordered({tre, due, none_uno}, {due, tre, none_uno});
  expect_ordered({tre, due, uno}, {uno, due, tre});
  expect_ordered({none_tre, none_due, none_uno}, {kZero, kZero, kZero});
}

TEST(ProgressiveOrdinaTest, StartsThatSumToZeroLetTheEndsDecide) {
  const Triple tre{100, 10, 0};
  const Triple due{-100, 20, 0};
  const Triple uno{0, 0, 0};
  expect_ordered({tre, due, uno}, {due, tre, uno});
}

TEST(ProgressiveOrdinaTest, PosOneLengthensTheEndWhereverTheTripleLands) {
  expect_ordered({Triple{1000, 1200, 1}, Triple{3000, 3500, 0}, Triple{2000, 2100, 1}},
                 {Triple{3000, 3500, 0}, Triple{2000, 2200, 1}, Triple{1000, 1300, 1}});
}

TEST(ProgressiveOrdinaTest, EndThatWouldPass32BitsIsAFailure) {
  SimTable state = read_as({0, 2147483600, 1}, kZero, kZero);
  EXPECT_THROW(progressive_ordina(state), ModelRangeError);
}

}  // namespace
}  // namespace scenario
