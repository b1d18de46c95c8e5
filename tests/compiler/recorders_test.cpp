#include "compiler/recorders.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "compiler/track_builder.h"

// Inside the tests' own namespace, so that the helpers of the track builder need no naming.
namespace scenario::testing {
namespace {

Code record(TestTrack& t, Signal& s) { return memo_segnale(t.track, t.codes, s); }
Code record(TestTrack& t, const Slowdown& s) { return memo_rallentamento(t.track, t.codes, s); }
Code record(TestTrack& t, const SpeedBoard& b) {
  return memo_indicatori_v_max(t.track, t.codes, b);
}
Code record(TestTrack& t, Tunnel& tunnel) { return memo_montagna(t.track, t.tunnels, tunnel); }

// A signal at 10000 (cell 201) with a left side of type 1 and nothing else, unless told.
Signal signal_at(std::int32_t posizione = 10000, SignalValues v = {.sx = 1},
                 std::int32_t tempo = 0) {
  return Signal{.posizione = posizione, .values = v, .tempo = tempo};
}

// The worked example, "rallentamento,  10500, 30, 150, 1, 1, 0", with chosen changes.
Slowdown slowdown(std::int32_t x = 10500, std::int32_t l = 150, std::int32_t f_ta = 1,
                  std::int32_t d_v = 0) {
  return Slowdown{.x = x, .v = 30, .l = l, .f_tt = 1, .f_ta = f_ta, .d_v = d_v};
}

SpeedBoard board_at(std::int32_t posizione = 10000, BoardValues v = {}) {
  return SpeedBoard{.posizione = posizione, .values = v};
}

Tunnel tunnel(std::int32_t inizio = 1000, std::int32_t fine = 2000, std::int32_t tipo = 1) {
  return Tunnel{.inizio = inizio, .fine = fine, .tipo = tipo};
}

std::int64_t occupied_cells(const TestTrack& t) {
  std::int64_t n = 0;
  for (const TrackCell& c : t.track) n += c.kind != cell_kind::free ? 1 : 0;
  return n;
}

// --- The slowdown of the worked example: "rallentamento,  10500, 30, 150, 1, 1, 0" ---

TEST(SlowdownRecorderTest, WorkedExampleMarksStartEndWarningAndAnnounceCells) {
  TestTrack state(1780);
  ASSERT_EQ(record(state, slowdown()), Code::none);
  EXPECT_EQ(state.code(), Code::none);

  for (std::int64_t i : {211, 214}) {
    EXPECT_EQ(at(state, i).value1, 30) << i;
    EXPECT_EQ(at(state, i).value2, 0) << i;
    EXPECT_EQ(at(state, i).value3, 1) << i;
  }
  EXPECT_EQ(at(state, 211).kind, cell_kind::slowdown_start);
  EXPECT_EQ(at(state, 214).kind, cell_kind::slowdown_end);
  EXPECT_EQ(at(state, 187).kind, cell_kind::slowdown_warning);
  EXPECT_EQ(at(state, 187).value1, 30);
  EXPECT_EQ(at(state, 187).value3, 0);
  // 1 nearest the warning, 4 farthest; no d_v, so no second value.
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(at(state, 186 - k).kind, cell_kind::slowdown_announce);
    EXPECT_EQ(at(state, 186 - k).value1, k + 1);
    EXPECT_EQ(at(state, 186 - k).value2, 0);
  }
  EXPECT_EQ(occupied_cells(state), 7);
}

TEST(SlowdownRecorderTest, NonzeroDvGoesIntoValue2OfEveryCell) {
  TestTrack state(1780);
  ASSERT_EQ(record(state, slowdown(10500, 150, 1, 60)), Code::none);
  EXPECT_EQ(at(state, 211).value2, 60);
  EXPECT_EQ(at(state, 214).value2, 60);
  EXPECT_EQ(at(state, 187).value2, 60);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(at(state, 186 - k).value2, k + 1);
}

TEST(SlowdownRecorderTest, NearTheStartOfTheLineThereIsNoWarningNorAnnounce) {
  TestTrack state(1780);
  ASSERT_EQ(record(state, slowdown(1500)), Code::none);
  EXPECT_EQ(cells_of_kind(state, cell_kind::slowdown_start), std::vector<std::int64_t>{31});
  EXPECT_EQ(cells_of_kind(state, cell_kind::slowdown_end), std::vector<std::int64_t>{34});
  EXPECT_EQ(occupied_cells(state), 2);

  // 50 m later the warning exists, 1200 m before the start.
  TestTrack later(1780);
  ASSERT_EQ(record(later, slowdown(1550)), Code::none);
  EXPECT_EQ(cells_of_kind(later, cell_kind::slowdown_warning), std::vector<std::int64_t>{8});
  EXPECT_EQ(cells_of_kind(later, cell_kind::slowdown_announce),
            (std::vector<std::int64_t>{4, 5, 6, 7}));
}

TEST(SlowdownRecorderTest, CellsAreRoundedHalfToEven) {
  TestTrack state(1780);
  // x 10475: 210.5 -> 210; l 100: (10575 / 50 + 1) = 212.5 -> 212.
  ASSERT_EQ(record(state, slowdown(10475, 100, 0)), Code::none);
  EXPECT_EQ(at(state, 210).kind, cell_kind::slowdown_start);
  EXPECT_EQ(at(state, 212).kind, cell_kind::slowdown_end);
  EXPECT_EQ(at(state, 186).kind, cell_kind::slowdown_warning);  // 185.5 + 1 -> 186
}

// --- Occupancy conflicts: the code, its position, and what stays written ---

TEST(OccupancyTest, SlowdownWarningStartAndEndConflictsWriteNothing) {
  struct Case {
    std::int64_t taken;
    Code code;
  };
  for (const Case& c :
       {Case{187, Code::warning_taken}, Case{211, Code::start_taken}, Case{214, Code::end_taken}}) {
    TestTrack state(1780);
    put(state, c.taken, cell_kind::speed_board, 2424);
    EXPECT_EQ(record(state, slowdown()), c.code);
    EXPECT_EQ(state.code(), c.code);
    EXPECT_EQ(state.pos(), 10500);
    EXPECT_TRUE(state.codes.last().has_pos);
    EXPECT_EQ(occupied_cells(state), 1) << "cell " << c.taken;
  }
}

TEST(OccupancyTest, AnnounceConflictKeepsStartEndAndWarning) {
  TestTrack state(1780);
  put(state, 184, cell_kind::signal);
  EXPECT_EQ(record(state, slowdown()), Code::announce_taken);
  EXPECT_EQ(state.code(), Code::announce_taken);
  EXPECT_EQ(state.pos(), 10500);
  EXPECT_EQ(at(state, 211).kind, cell_kind::slowdown_start);
  EXPECT_EQ(at(state, 214).kind, cell_kind::slowdown_end);
  EXPECT_EQ(at(state, 187).kind, cell_kind::slowdown_warning);
  EXPECT_EQ(at(state, 211).value1, 30);
  EXPECT_TRUE(cells_of_kind(state, cell_kind::slowdown_announce).empty());
}

TEST(OccupancyTest, SlowdownWithoutAnnounceIgnoresOccupiedAnnounceCells) {
  TestTrack state(1780);
  put(state, 184, cell_kind::signal);
  EXPECT_EQ(record(state, slowdown(10500, 150, 0)), Code::none);
  EXPECT_EQ(state.code(), Code::none);
}

TEST(OccupancyTest, SignalOnTakenCellIsRefusedWith16) {
  TestTrack state(1780);
  put(state, 201, cell_kind::speed_board, 2424);
  Signal s = signal_at(10000, {.sx = 2}, 50);
  EXPECT_EQ(record(state, s), Code::signal_taken);
  EXPECT_EQ(state.code(), Code::signal_taken);
  EXPECT_EQ(state.pos(), 10000);
  EXPECT_EQ(at(state, 201).kind, cell_kind::speed_board);
  EXPECT_EQ(at(state, 201).value1, 2424);
  for (int b = 1; b <= 4; ++b) EXPECT_EQ(at(state, 201 - 2 * b).approach_code, 0);
}

TEST(OccupancyTest, BoardOnTakenCellIsRefusedWith21) {
  TestTrack state(1780);
  put(state, 201, cell_kind::signal, 33);
  EXPECT_EQ(record(state, board_at(10000, {.vas = 120})), Code::board_taken);
  EXPECT_EQ(state.code(), Code::board_taken);
  EXPECT_EQ(state.pos(), 10000);
  EXPECT_EQ(at(state, 201).kind, cell_kind::signal);
  EXPECT_EQ(at(state, 201).value1, 33);
}

TEST(OccupancyTest, TunnelMarkerCountsAsFreeAndIsReplaced) {
  TestTrack state(1780);
  put(state, 201, cell_kind::tunnel_marker);
  EXPECT_EQ(record(state, board_at()), Code::none);
  EXPECT_EQ(at(state, 201).kind, cell_kind::speed_board);

  put(state, 301, cell_kind::tunnel_marker);
  Signal s = signal_at(15000);
  EXPECT_EQ(record(state, s), Code::none);
  EXPECT_EQ(at(state, 301).kind, cell_kind::signal);

  put(state, 211, cell_kind::tunnel_marker);
  EXPECT_EQ(record(state, slowdown()), Code::none);
  EXPECT_EQ(at(state, 211).kind, cell_kind::slowdown_start);
  EXPECT_EQ(state.code(), Code::none);
}

TEST(OccupancyTest, SignalWhoseApproachCellsWouldLieBeforeTheTrackIsRefused) {
  TestTrack state(1780);
  Signal s = signal_at(300);  // cell 7: its fourth approach cell would be -1
  EXPECT_EQ(record(state, s), Code::signal_taken);
  EXPECT_EQ(state.pos(), 300);
  EXPECT_EQ(occupied_cells(state), 0);
  for (const TrackCell& c : state.track) EXPECT_EQ(c.approach_code, 0);

  Signal at_8 = signal_at(350);  // cell 8: approach cells 6, 4, 2 and 0
  EXPECT_EQ(record(state, at_8), Code::none);
  EXPECT_EQ(at(state, 8).kind, cell_kind::signal);
  EXPECT_EQ(at(state, 0).approach_code, 34);
}

// A feature that leaves the track is a failure of the reading (code 25 there), and nothing of it
// may be half stored.
TEST(OutsideTheTrackTest, FeaturesBeyondTheLastCellThrowAndWriteNothing) {
  TestTrack state(100);
  // Start cell 99, end cell 102.
  EXPECT_THROW(record(state, slowdown(4900)), ModelRangeError);
  EXPECT_EQ(occupied_cells(state), 0);

  Signal sig = signal_at(5000);
  EXPECT_THROW(record(state, sig), ModelRangeError);
  for (const TrackCell& c : state.track) EXPECT_EQ(c.approach_code, 0);

  EXPECT_THROW(record(state, board_at(-100)), ModelRangeError);

  Tunnel t = tunnel(4000, 6000);
  EXPECT_THROW(record(state, t), ModelRangeError);
  EXPECT_EQ(state.tunnels.count, 0);
  for (const TrackCell& c : state.track) EXPECT_EQ(c.tunnel_type, 0);
  EXPECT_EQ(state.code(), Code::none);
}

// --- Signals: values, signal_time, approach codes ---

TEST(SignalRecorderTest, ValuesAndApproachCodes) {
  TestTrack state(1780);
  Signal s = signal_at(
      10000, {.sx = 2, .s1 = 3, .s2 = 4, .s3 = 1, .rapp = 1, .dx = 1, .d1 = 2, .d2 = 0, .d3 = 5});
  ASSERT_EQ(record(state, s), Code::none);
  const TrackCell& c = at(state, 201);
  EXPECT_EQ(c.kind, cell_kind::signal);
  EXPECT_EQ(c.value1, 32);
  EXPECT_EQ(c.value2, 40);
  EXPECT_EQ(c.value3, 15);
  EXPECT_EQ(c.value4, 17);  // rapp x 10 + sx x 3 + dx
  // sx x 30 + dx x 10 + b, 100, 200, 300 and 400 m before the signal.
  EXPECT_EQ(at(state, 199).approach_code, 71);
  EXPECT_EQ(at(state, 197).approach_code, 72);
  EXPECT_EQ(at(state, 195).approach_code, 73);
  EXPECT_EQ(at(state, 193).approach_code, 74);
  EXPECT_EQ(at(state, 198).approach_code, 0);
  EXPECT_EQ(at(state, 191).approach_code, 0);
  EXPECT_EQ(at(state, 201).approach_code, 0);
}

TEST(SignalRecorderTest, SignalTimeOnlyForSx2WithShortTimesRaisedTo101) {
  struct Case {
    std::int32_t sx, tempo, stored, tempo_after;
  };
  for (const Case& c :
       {Case{2, 50, 101, 101}, Case{2, 1, 101, 101}, Case{2, 100, 101, 101}, Case{2, 190, 190, 190},
        Case{2, 0, 0, 0}, Case{1, 50, 0, 101}, Case{3, 190, 0, 190}, Case{2, 300, 44, 300}}) {
    TestTrack state(1780);
    Signal s = signal_at(10000, {.sx = c.sx}, c.tempo);
    ASSERT_EQ(record(state, s), Code::none);
    EXPECT_EQ(at(state, 201).signal_time, c.stored) << "sx " << c.sx << " tempo " << c.tempo;
    EXPECT_EQ(s.tempo, c.tempo_after) << "sx " << c.sx << " tempo " << c.tempo;
  }
}

TEST(SignalRecorderTest, ValuesKeepTheirLowBits) {
  TestTrack state(1780);
  // s1 4000 and d1 7: 40007 does not fit 16 bits; sx 9 and dx 5: (27 + 5) x 10 + b does not
  // fit 8 bits.
  Signal s = signal_at(10000, {.sx = 9, .s1 = 4000, .dx = 5, .d1 = 7});
  ASSERT_EQ(record(state, s), Code::none);
  EXPECT_EQ(at(state, 201).value1, static_cast<std::int16_t>(40007 - 65536));
  EXPECT_EQ(at(state, 199).approach_code, (320 + 1) % 256);
  EXPECT_EQ(at(state, 193).approach_code, (320 + 4) % 256);
}

TEST(SignalRecorderTest, SignalsInNeighbouringCellsShareNoApproachCell) {
  TestTrack state(1780);
  Signal first = signal_at();                            // cell 201, codes 31 to 34
  Signal second = signal_at(10050, {.sx = 2, .dx = 1});  // cell 202
  ASSERT_EQ(record(state, first), Code::none);
  ASSERT_EQ(record(state, second), Code::none);
  EXPECT_EQ(at(state, 201).kind, cell_kind::signal);
  EXPECT_EQ(at(state, 202).kind, cell_kind::signal);
  for (int b = 1; b <= 4; ++b) {
    EXPECT_EQ(at(state, 201 - 2 * b).approach_code, 30 + b);
    EXPECT_EQ(at(state, 202 - 2 * b).approach_code, 70 + b);
  }
}

TEST(SignalRecorderTest, SignalsTwoCellsApartShareApproachCellsAndTheLaterWins) {
  TestTrack state(1780);
  Signal first = signal_at();                            // cell 201
  Signal second = signal_at(10100, {.sx = 2, .dx = 1});  // cell 203
  ASSERT_EQ(record(state, first), Code::none);
  ASSERT_EQ(record(state, second), Code::none);
  EXPECT_EQ(at(state, 201).kind, cell_kind::signal);
  EXPECT_EQ(at(state, 203).kind, cell_kind::signal);
  EXPECT_EQ(at(state, 201).approach_code, 71);  // the first signal's own cell
  EXPECT_EQ(at(state, 199).approach_code, 72);
  EXPECT_EQ(at(state, 197).approach_code, 73);
  EXPECT_EQ(at(state, 195).approach_code, 74);
  EXPECT_EQ(at(state, 193).approach_code, 34);  // only the first one reaches here
}

TEST(SignalRecorderTest, CellIsRoundedHalfToEven) {
  TestTrack state(1780);
  Signal upper = signal_at(10525);  // 211.5 -> 212
  ASSERT_EQ(record(state, upper), Code::none);
  Signal lower = signal_at(10425);  // 209.5 -> 210
  ASSERT_EQ(record(state, lower), Code::none);
  EXPECT_EQ(cells_of_kind(state, cell_kind::signal), (std::vector<std::int64_t>{210, 212}));
}

// --- Speed indicator boards ---

TEST(BoardRecorderTest, ValuesAreRightSpeedOverFivePlusLeftTimesTwenty) {
  TestTrack state(1780);
  // b: 7 / 5 + 2 x 20 = 41.4 -> 41; c: 8 / 5 = 1.6 -> 2.
  const BoardValues v{
      .vas = 120, .vbs = 2, .vcs = 0, .strisces = 3, .vad = 120, .vbd = 7, .vcd = 8, .strisced = 4};
  ASSERT_EQ(record(state, board_at(10000, v)), Code::none);
  const TrackCell& c = at(state, 201);
  EXPECT_EQ(c.kind, cell_kind::speed_board);
  EXPECT_EQ(c.value1, 2424);
  EXPECT_EQ(c.value2, 41);
  EXPECT_EQ(c.value3, 2);
  EXPECT_EQ(c.value4, 34);
}

TEST(BoardRecorderTest, ValuesKeepTheirLowSixteenBits) {
  TestTrack state(1780);
  // 2000 x 20 = 40000.
  ASSERT_EQ(record(state, board_at(10000, {.vas = 2000, .strisces = 7000})), Code::none);
  EXPECT_EQ(at(state, 201).value1, static_cast<std::int16_t>(40000 - 65536));
  EXPECT_EQ(at(state, 201).value4, static_cast<std::int16_t>(70000 - 65536));
}

// --- Tunnels ---

TEST(TunnelRecorderTest, TypeIsWrittenOverTheStretchWhateverItHolds) {
  TestTrack state(1780);
  put(state, 30, cell_kind::signal, 12);
  Tunnel t = tunnel();  // 1000 to 2000: cells 20 to 39
  ASSERT_EQ(record(state, t), Code::none);
  for (std::int64_t i = 20; i <= 39; ++i) EXPECT_EQ(at(state, i).tunnel_type, 1) << i;
  EXPECT_EQ(at(state, 19).tunnel_type, 0);
  EXPECT_EQ(at(state, 40).tunnel_type, 0);
  EXPECT_EQ(at(state, 30).kind, cell_kind::signal);
  EXPECT_EQ(at(state, 30).value1, 12);
  EXPECT_TRUE(cells_of_kind(state, cell_kind::tunnel_marker).empty());
  EXPECT_EQ(state.tunnels.count, 1);
  ASSERT_GE(state.tunnels.starts.size(), 2u);
  EXPECT_EQ(state.tunnels.starts[1], 1000);
  EXPECT_EQ(state.tunnels.ends[1], 2000);
}

TEST(TunnelRecorderTest, TypeAboveTenAsksForMarkersInEveryFourthEmptyCell) {
  TestTrack state(1780);
  put(state, 27, cell_kind::speed_board);  // the 8th cell written is taken
  Tunnel t = tunnel(1000, 2000, 12);
  ASSERT_EQ(record(state, t), Code::none);
  EXPECT_EQ(t.tipo, 2);
  EXPECT_EQ(at(state, 25).tunnel_type, 2);
  EXPECT_EQ(cells_of_kind(state, cell_kind::tunnel_marker),
            (std::vector<std::int64_t>{23, 31, 35, 39}));
  EXPECT_EQ(at(state, 27).kind, cell_kind::speed_board);

  TestTrack plain(1780);
  Tunnel ten = tunnel(1000, 2000, 10);
  ASSERT_EQ(record(plain, ten), Code::none);
  EXPECT_EQ(at(plain, 25).tunnel_type, 10);
  EXPECT_TRUE(cells_of_kind(plain, cell_kind::tunnel_marker).empty());
}

TEST(TunnelRecorderTest, TunnelWithin150MetresOfThePreviousBecomesType3) {
  for (const std::int32_t start : {2150, 2200}) {
    TestTrack state(1780);
    Tunnel first = tunnel();
    Tunnel second = tunnel(start, 3000, 12);
    ASSERT_EQ(record(state, first), Code::none);
    ASSERT_EQ(record(state, second), Code::none);
    const int expected = start == 2150 ? 3 : 2;
    EXPECT_EQ(second.tipo, expected) << start;
    EXPECT_EQ(at(state, 50).tunnel_type, expected) << start;
    EXPECT_EQ(at(state, 30).tunnel_type, 1) << start;
    EXPECT_EQ(state.tunnels.count, 2);
    // Markers still come from the type above 10.
    EXPECT_FALSE(cells_of_kind(state, cell_kind::tunnel_marker).empty());
  }
}

TEST(TunnelRecorderTest, OnlyThePreviousTunnelCounts) {
  TestTrack state(1780);
  Tunnel a = tunnel(1000, 9000);
  Tunnel b = tunnel(2000, 3000);
  Tunnel c = tunnel(9100, 9500, 2);  // 100 m after a's end, but b is the previous one
  ASSERT_EQ(record(state, a), Code::none);
  ASSERT_EQ(record(state, b), Code::none);
  ASSERT_EQ(record(state, c), Code::none);
  EXPECT_EQ(b.tipo, 3);  // it starts before a's end
  EXPECT_EQ(c.tipo, 2);
  EXPECT_EQ(state.tunnels.count, 3);
  EXPECT_EQ(state.tunnels.ends[3], 9500);
}

TEST(TunnelRecorderTest, EmptyStretchWritesNothingButCounts) {
  TestTrack state(1780);
  Tunnel t = tunnel(2000, 1000);
  ASSERT_EQ(record(state, t), Code::none);
  for (const TrackCell& c : state.track) EXPECT_EQ(c.tunnel_type, 0);
  EXPECT_EQ(state.tunnels.count, 1);
}

TEST(TunnelRecorderTest, TypeKeepsItsLowEightBits) {
  TestTrack state(1780);
  Tunnel t = tunnel(1000, 2000, 266);  // a type of 256 with markers
  ASSERT_EQ(record(state, t), Code::none);
  EXPECT_EQ(at(state, 20).tunnel_type, 0);
  EXPECT_EQ(at(state, 23).kind, cell_kind::tunnel_marker);
  Tunnel far = tunnel(5000, 6000, 300);
  ASSERT_EQ(record(state, far), Code::none);
  EXPECT_EQ(at(state, 110).tunnel_type, 290 - 256);
}

}  // namespace
}  // namespace scenario::testing
