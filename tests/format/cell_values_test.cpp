// The packing of a signal's and a board's values into a cell, and its unpacking, over every value
// the unpacking is exact for: what the recorders write, the decoders read back.
#include "format/cell_values.h"

#include <gtest/gtest.h>

#include <random>

namespace scenario {
namespace {

TEST(CellValuesTest, SignalValuesComeBackForEverySideAndDigit) {
  std::mt19937 random(7);
  std::uniform_int_distribution<std::int32_t> digit(0, 9);
  for (std::int32_t sx = 0; sx <= 2; ++sx) {
    for (std::int32_t dx = 0; dx <= 2; ++dx) {
      for (int k = 0; k < 200; ++k) {
        const SignalValues v{.sx = sx,
                             .s1 = digit(random),
                             .s2 = digit(random),
                             .s3 = digit(random),
                             .rapp = digit(random),
                             .dx = dx,
                             .d1 = digit(random),
                             .d2 = digit(random),
                             .d3 = digit(random)};
        TrackCell cell;
        pack_signal(cell, v);
        EXPECT_EQ(unpack_signal(cell), v) << "sx " << sx << " dx " << dx;
        EXPECT_EQ(cell.value4 % 10, signal_side_code(v));
      }
    }
  }
}

TEST(CellValuesTest, BoardValuesComeBackForSpeedsInStepsOfFive) {
  std::mt19937 random(11);
  std::uniform_int_distribution<std::int32_t> left(0, 320);  // up to 1600 km/h
  std::uniform_int_distribution<std::int32_t> right(0, 99);  // up to 495 km/h
  std::uniform_int_distribution<std::int32_t> stripes(0, 9);
  for (int k = 0; k < 2000; ++k) {
    const BoardValues v{.vas = 5 * left(random),
                        .vbs = 5 * left(random),
                        .vcs = 5 * left(random),
                        .strisces = stripes(random),
                        .vad = 5 * right(random),
                        .vbd = 5 * right(random),
                        .vcd = 5 * right(random),
                        .strisced = stripes(random)};
    TrackCell cell;
    pack_board(cell, v);
    EXPECT_EQ(unpack_board(cell), v);
  }
}

TEST(CellValuesTest, PackingKeepsTheLowBitsAndRoundsHalfToEven) {
  TrackCell cell;
  pack_signal(cell, {.s1 = 4000, .d1 = 7});
  EXPECT_EQ(cell.value1, static_cast<std::int16_t>(40007 - 65536));
  // 7 / 5 + 2 x 20 = 41.4 -> 41; 13 / 5 = 2.6 -> 3.
  pack_board(cell, {.vas = 120, .vbs = 2, .vcs = 0, .vad = 120, .vbd = 7, .vcd = 13});
  EXPECT_EQ(cell.value1, 2424);
  EXPECT_EQ(cell.value2, 41);
  EXPECT_EQ(cell.value3, 3);
}

TEST(CellValuesTest, GradientAndSpeedBytes) {
  EXPECT_EQ(gradient_per_mille(TrackCell{.gradient_100 = 0}), std::nullopt);
  EXPECT_EQ(gradient_per_mille(TrackCell{.gradient_100 = 96}), -4);
  EXPECT_EQ(gradient_per_mille(TrackCell{.gradient_100 = 100}), 0);
  EXPECT_EQ(speed_limit_kmh(TrackCell{.speed_div5 = 32}), 160);
}

}  // namespace
}  // namespace scenario
