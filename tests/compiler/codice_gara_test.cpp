#include "compiler/codice_gara.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "format/model.h"

namespace scenario {
namespace {

SimTable identifiers(const std::string& route_id, const std::string& train_number) {
  SimTable t{};
  t[table_entry::route].name = route_id;
  t[table_entry::codes].name = train_number;
  return t;
}

struct Codes {
  std::int32_t st;
  std::int16_t og;
  bool operator==(const Codes&) const = default;
};

Codes codes(const std::string& route_id, const std::string& train_number) {
  const SimTable t = identifiers(route_id, train_number);
  return {codice_gara_st(t), codice_gara_og(t)};
}

TEST(CodiceGaraTest, BuiltInScenario) {
  // "24863valdora_lusa" followed by the first 8 letters of the filler.
  EXPECT_EQ(codes("Valdora_Lusa", "24863"), (Codes{33816, 2398}));
}

TEST(CodiceGaraTest, TrainNumberComesFirst) {
  const Codes right = codes("Valdora_Lusa", "24863");
  const Codes swapped = codes("24863", "Valdora_Lusa");
  EXPECT_EQ(swapped, (Codes{30587, 2398}));
  EXPECT_NE(swapped.st, right.st);
  EXPECT_EQ(swapped.og, right.og);  // the same characters in the first 25 positions
}

TEST(CodiceGaraTest, LetterCaseHasNoEffect) {
  EXPECT_EQ(codes("VALDORA_LUSA", "24863"), codes("valdora_lusa", "24863"));
  EXPECT_EQ(codes("Valdora_Lusa", "24863"), codes("vALDORA_lUSA", "24863"));
  EXPECT_EQ(codes("Route", "AbC"), codes("route", "abc"));
}

TEST(CodiceGaraTest, EmptyIdentifiersSumTheFillerAlone) {
  // t t m m e e g g r r v v b b z z k k a a w w u u h: the 26th letter never counts.
  EXPECT_EQ(codes("", ""), (Codes{35819, 2746}));
}

TEST(CodiceGaraTest, OnlyTheFirst25CharactersCount) {
  const std::string first25 = "abcdefghijklmnopqrstuvwxy";
  const Codes base = codes("", first25);
  // 25 characters: the filler no longer contributes, so the codes are the identifiers' own sums.
  std::int32_t st = 0;
  std::int32_t og = 0;
  for (int p = 1; p <= 25; ++p) {
    st += ('a' + p - 1) * p;
    og += 'a' + p - 1;
  }
  EXPECT_EQ(base, (Codes{st, static_cast<std::int16_t>(og)}));
  // Characters from position 26 on change nothing, whichever identifier holds them.
  EXPECT_EQ(codes("ZZZ_more", first25), base);
  EXPECT_EQ(codes("xy_and_more", "abcdefghijklmnopqrstuvw"), base);
  // Position 25 does count.
  EXPECT_NE(codes("", "abcdefghijklmnopqrstuvwxz"), base);
}

TEST(CodiceGaraTest, ShortIdentifiersArePaddedFromTheFiller) {
  // One character: positions 2 to 25 are the filler's first 24 letters.
  const Codes one = codes("", "1");
  const Codes empty = codes("", "");
  EXPECT_EQ(one.og - empty.og, '1' - 'h');
  EXPECT_NE(one.st, empty.st);
}

TEST(CodiceGaraTest, NonAsciiCharactersCountAsTheirSingleByteCode) {
  // U+00E9 is byte 233 in the table file's code page, not a negative char; U+00C0 is not
  // lower-cased.
  EXPECT_EQ(codes("", "\xC3\xA9"), (Codes{36094, 2875}));
  EXPECT_EQ(codes("", "\xC3\x80"), (Codes{36053, 2834}));
}

TEST(CodiceGaraTest, NothingButTheTwoNamesCounts) {
  SimTable t = identifiers("Valdora_Lusa", "24863");
  const Codes before{codice_gara_st(t), codice_gara_og(t)};
  t[1].name = "Lusa";
  t[1].pos_m = 1000;
  t[80].name = "cartello";
  t[85].start_m = 7;
  t[86].d2a = 3;
  EXPECT_EQ((Codes{codice_gara_st(t), codice_gara_og(t)}), before);
}

}  // namespace
}  // namespace scenario
