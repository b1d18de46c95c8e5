#include "compiler/finishing_pass.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "compiler/recorders.h"
#include "compiler/track_builder.h"
#include "format/file_writers.h"
#include "support/test_support.h"

// Inside the tests' own namespace, so that the helpers of the track builder need no naming.
namespace scenario::testing {
namespace {

using Cells = std::vector<std::int64_t>;

Cells markers(const TestTrack& state) { return cells_of_kind(state, cell_kind::code_cut); }

void expect_marker(const TestTrack& state, std::int64_t i, std::int16_t value = 180) {
  EXPECT_EQ(at(state, i).kind, cell_kind::code_cut) << "cell " << i;
  EXPECT_EQ(at(state, i).value1, value) << "cell " << i;
}

void put_slowdown(TestTrack& state, std::int64_t start, std::int64_t end, std::int16_t speed) {
  put(state, start, cell_kind::slowdown_start, speed);
  put(state, end, cell_kind::slowdown_end, speed);
}

// --- The worked example, from the recorder to the track file ---

TEST(WorkedExampleTest, BandMarkersLandInTheFirstFreeCellOfEachBand) {
  TestTrack state(1780);
  const Slowdown worked{.x = 10500, .v = 30, .l = 150, .f_tt = 1, .f_ta = 1, .d_v = 0};
  ASSERT_EQ(memo_rallentamento(state.track, state.codes, worked), Code::none);
  put(state, 206, cell_kind::speed_board);  // the first band's nearest cell is taken

  finishing_pass(state.track, state.codes);
  EXPECT_EQ(markers(state), (Cells{193, 200, 205}));
  for (std::int64_t i : markers(state)) expect_marker(state, i);
  EXPECT_EQ(state.code(), Code::none);
}

TEST(WorkedExampleTest, MarkersAndTheStartRecordInTheTrackFile) {
  TestTrack state(1780);
  const Slowdown worked{.x = 10500, .v = 30, .l = 150, .f_tt = 1, .f_ta = 1, .d_v = 0};
  ASSERT_EQ(memo_rallentamento(state.track, state.codes, worked), Code::none);
  put(state, 180, cell_kind::signal);  // in the 20 cells before the warning at 187
  put(state, 220, cell_kind::signal);  // the first signal from the end at 214 on
  put(state, 224, cell_kind::signal);  // not the first one: no marker

  finishing_pass(state.track, state.codes);
  EXPECT_EQ(markers(state), (Cells{179, 193, 200, 206, 219}));

  const std::string bytes = write_track_file(state.track);
  ASSERT_EQ(bytes.size(), 1781u * 15u);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[15 * 211]), cell_kind::slowdown_start);
  EXPECT_EQ(testing::i16_at(bytes, 15 * 211 + 1), 30);
  EXPECT_EQ(testing::i16_at(bytes, 15 * 211 + 5), 1);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[15 * 206]), cell_kind::code_cut);
  EXPECT_EQ(testing::i16_at(bytes, 15 * 206 + 1), 180);
}

// --- Signals before a warning ---

class BeforeWarningTest : public ::testing::Test {
 protected:
  BeforeWarningTest() : state(1780) {
    put(state, 100, cell_kind::slowdown_warning, 30);
    put(state, 95, cell_kind::signal);
  }
  TestTrack state;
};

TEST_F(BeforeWarningTest, MarkerGoesJustBeforeTheSignal) {
  finishing_pass(state.track, state.codes);
  expect_marker(state, 94);
  EXPECT_EQ(at(state, 93).kind, cell_kind::free);
  EXPECT_EQ(markers(state), Cells{94});
}

TEST_F(BeforeWarningTest, FreeCellIsPreferredToAdjustingAMarker) {
  put(state, 94, cell_kind::code_cut, 75);
  finishing_pass(state.track, state.codes);
  expect_marker(state, 93);
  expect_marker(state, 94, 75);
}

TEST_F(BeforeWarningTest, ExistingMarkerIsLoweredTo180ButNeverRaised) {
  put(state, 93, cell_kind::station_stop, 1);
  put(state, 94, cell_kind::code_cut, 75);
  finishing_pass(state.track, state.codes);
  expect_marker(state, 94, 75);

  put(state, 94, cell_kind::code_cut, 270);
  finishing_pass(state.track, state.codes);
  expect_marker(state, 94, 180);
  EXPECT_EQ(at(state, 93).kind, cell_kind::station_stop);
}

TEST_F(BeforeWarningTest, MarkerTwoCellsBackIsAdjustedWhenTheNearerCellHoldsAFeature) {
  put(state, 94, cell_kind::speed_board);
  put(state, 93, cell_kind::code_cut, 500);
  finishing_pass(state.track, state.codes);
  expect_marker(state, 93, 180);
  EXPECT_EQ(state.code(), Code::none);
}

TEST_F(BeforeWarningTest, NoRoomRecords11AtTheSignal) {
  put(state, 94, cell_kind::speed_board);
  put(state, 93, cell_kind::signal);
  finishing_pass(state.track, state.codes);
  EXPECT_EQ(at(state, 94).kind, cell_kind::speed_board);
  EXPECT_EQ(state.code(), Code::no_room_before_signal);
  EXPECT_EQ(state.pos(), 4750);
  EXPECT_TRUE(state.codes.last().has_pos);
  // The signal at 93 is in the range too and has room.
  EXPECT_EQ(markers(state), Cells{92});
}

TEST_F(BeforeWarningTest, EverySignalOfTheTwentyCellsGetsAMarker) {
  put(state, 80, cell_kind::signal);  // 20 before the warning
  put(state, 78, cell_kind::signal);  // 22 before: outside
  finishing_pass(state.track, state.codes);
  EXPECT_EQ(markers(state), (Cells{79, 94}));
}

TEST(BeforeWarningLimitsTest, SearchNeverLooksBelowCell3) {
  {
    TestTrack state(100);
    put(state, 3, cell_kind::slowdown_warning, 30);
    put(state, 2, cell_kind::signal);
    finishing_pass(state.track, state.codes);
    EXPECT_TRUE(markers(state).empty());
  }
  {
    TestTrack state(100);
    put(state, 10, cell_kind::slowdown_warning, 30);
    put(state, 9, cell_kind::signal);
    put(state, 3, cell_kind::signal);
    finishing_pass(state.track, state.codes);
    EXPECT_EQ(markers(state), (Cells{2, 8}));
  }
  {
    TestTrack state(100);
    put(state, 10, cell_kind::slowdown_warning, 30);
    put(state, 2, cell_kind::signal);
    finishing_pass(state.track, state.codes);
    EXPECT_TRUE(markers(state).empty());
  }
}

// --- The three bands before a start and their guards ---

TEST(BandTest, BandIsTriedOnlyWhenAllItsCellsLieOnCell1OrLater) {
  struct Case {
    std::int64_t start;
    Cells expected;
  };
  for (const Case& c : {Case{7, {}}, Case{8, {3}}, Case{13, {8}}, Case{14, {3, 9}},
                        Case{20, {9, 15}}, Case{21, {3, 10, 16}}}) {
    TestTrack state(100);
    put_slowdown(state, c.start, c.start + 1, 110);
    finishing_pass(state.track, state.codes);
    EXPECT_EQ(markers(state), c.expected) << "start " << c.start;
    EXPECT_EQ(state.code(), Code::none);
  }
}

TEST(BandTest, FullBandRecords12AndTheOtherBandsAreStillTried) {
  TestTrack state(1780);
  put_slowdown(state, 200, 202, 110);
  put(state, 195, cell_kind::signal);
  put(state, 194, cell_kind::speed_board);
  put(state, 193, cell_kind::signboard);
  put(state, 189, cell_kind::station_stop);  // the second band's nearest cell
  finishing_pass(state.track, state.codes);
  EXPECT_EQ(state.code(), Code::no_room_in_band);
  EXPECT_EQ(state.pos(), 10000);
  EXPECT_EQ(markers(state), (Cells{182, 188}));
}

// --- Markers inside a slowdown and before the signal after it ---

// Below 110 km/h every eighth cell inside the slowdown gets a marker, at 110 or more none does;
// the signal after the end gets one either way.
TEST(InsideSlowdownTest, EveryEighthCellBelow110AndBeforeTheSignalAfterTheEndAtAnySpeed) {
  const Cells below_110{182, 189, 195, 208, 216, 224};
  const Cells from_110{182, 189, 195, 224};
  struct Case {
    std::int16_t speed;
    Cells markers;
  };
  for (const Case& c :
       {Case{30, below_110}, Case{109, below_110}, Case{110, from_110}, Case{200, from_110}}) {
    TestTrack state(1780);
    put_slowdown(state, 200, 220, c.speed);
    put(state, 225, cell_kind::signal);
    finishing_pass(state.track, state.codes);
    EXPECT_EQ(markers(state), c.markers) << "speed " << c.speed;
    EXPECT_EQ(state.code(), Code::none) << "speed " << c.speed;
  }
}

TEST(InsideSlowdownTest, SpacingCountsFromTheMarkerActuallyPlaced) {
  struct Case {
    Cells taken;
    Cells inside;
  };
  for (const Case& c : {Case{{208}, {207, 215}}, Case{{207, 208}, {209, 217}}}) {
    TestTrack state(1780);
    put_slowdown(state, 200, 220, 30);
    for (std::int64_t i : c.taken) put(state, i, cell_kind::speed_board);
    finishing_pass(state.track, state.codes);
    Cells inside;
    for (std::int64_t i : markers(state)) {
      if (i > 200) inside.push_back(i);
    }
    EXPECT_EQ(inside, c.inside);
    EXPECT_EQ(state.code(), Code::none);
  }
}

TEST(InsideSlowdownTest, NoRoomRecords13AndEndsTheMarkersOfThatSlowdown) {
  TestTrack state(1780);
  put_slowdown(state, 200, 230, 30);
  for (std::int64_t i : {207, 208, 209}) put(state, i, cell_kind::speed_board);
  finishing_pass(state.track, state.codes);
  EXPECT_EQ(state.code(), Code::no_room_inside_or_after);
  EXPECT_EQ(state.pos(), 10400);
  EXPECT_EQ(markers(state), (Cells{182, 189, 195}));
}

TEST(InsideSlowdownTest, MarkerReplacesATunnelMarkerAndKeepsTheStretch) {
  TestTrack state(1780);
  put_slowdown(state, 200, 220, 30);
  TrackCell& tunnel = put(state, 208, cell_kind::tunnel_marker);
  tunnel.tunnel_type = 2;
  tunnel.speed_div5 = 16;
  finishing_pass(state.track, state.codes);
  expect_marker(state, 208);
  EXPECT_EQ(at(state, 208).tunnel_type, 2);
  EXPECT_EQ(at(state, 208).speed_div5, 16);
}

TEST(AfterSlowdownTest, OnlyTheFirstSignalOfTheEndAndTwelveCellsAfterIt) {
  struct Case {
    Cells signals;
    Cells taken;
    Cells expected_after;
    Code code;
  };
  constexpr Code kNone = Code::none;
  for (const Case& c : {Case{{233}, {}, {}, kNone}, Case{{232}, {}, {231}, kNone},
                        Case{{220 + 2, 224}, {}, {221}, kNone}, Case{{225}, {224}, {223}, kNone},
                        Case{{225}, {224, 223}, {}, Code::no_room_inside_or_after}}) {
    TestTrack state(1780);
    put_slowdown(state, 200, 220, 120);
    for (std::int64_t i : c.signals) put(state, i, cell_kind::signal);
    for (std::int64_t i : c.taken) put(state, i, cell_kind::speed_board);
    finishing_pass(state.track, state.codes);
    Cells after;
    for (std::int64_t i : markers(state)) {
      if (i > 200) after.push_back(i);
    }
    EXPECT_EQ(after, c.expected_after) << "first signal " << c.signals.front();
    EXPECT_EQ(state.code(), c.code);
    if (c.code != kNone) {
      EXPECT_EQ(state.pos(), 11000);
    }
  }
}

// --- The end of the track ---

TEST(EndOfTrackTest, SearchAfterTheEndStopsAtTheLastCell) {
  TestTrack state(49);
  put_slowdown(state, 30, 45, 110);
  put(state, 49, cell_kind::signal);
  finishing_pass(state.track, state.codes);
  EXPECT_EQ(markers(state), (Cells{12, 19, 25, 48}));
}

TEST(EndOfTrackTest, StartWithoutAnEndWalksToTheLastCellOnly) {
  TestTrack state(49);
  put(state, 41, cell_kind::slowdown_start, 30);
  put(state, 48, cell_kind::speed_board);
  put(state, 49, cell_kind::signal);
  // The 8th cell is the last one: neither it, nor the one before, nor one beyond the track.
  finishing_pass(state.track, state.codes);
  EXPECT_EQ(state.code(), Code::no_room_inside_or_after);
  EXPECT_EQ(state.pos(), 2450);
  // The signal at the last cell still gets its marker two cells back.
  EXPECT_EQ(markers(state), (Cells{23, 30, 36, 47}));

  TestTrack fast(49);
  put(fast, 41, cell_kind::slowdown_start, 120);
  finishing_pass(fast.track, fast.codes);
  EXPECT_EQ(markers(fast), (Cells{23, 30, 36}));
}

TEST(EndOfTrackTest, TheLastTwoCellsAreNotVisited) {
  for (const std::int64_t warning : {47, 48}) {
    TestTrack state(49);
    put(state, warning, cell_kind::slowdown_warning, 30);
    put(state, 45, cell_kind::signal);
    finishing_pass(state.track, state.codes);
    EXPECT_EQ(markers(state), warning == 47 ? Cells{44} : Cells{}) << "warning " << warning;
  }
}

}  // namespace
}  // namespace scenario::testing
