#include "compiler/codes.h"

#include <gtest/gtest.h>

#include <set>

#include "run/errore.h"

namespace scenario {
namespace {

TEST(ErrorRegistryTest, EveryCodeOnceWithAMeaning) {
  const std::set<int> expected{101, 102, 1,  3,  4,  5,  103, 15, 6,  7,  8,  9,  24,   22,
                               10,  2,   25, 16, 17, 18, 19,  20, 21, 11, 12, 13, 1250, 1251};
  std::set<int> seen;
  for (const auto& e : error_registry()) {
    EXPECT_TRUE(seen.insert(e.code).second) << "code " << e.code << " twice";
    EXPECT_FALSE(e.meaning.empty());
  }
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(error_meaning(16), "a signal's cell is already taken");
  EXPECT_EQ(error_meaning(999), "unknown error code");
}

TEST(ErroreTest, TextHasTheLeadingSpace) { EXPECT_EQ(errore_text("1250"), " Errore n. 1250"); }

}  // namespace
}  // namespace scenario
