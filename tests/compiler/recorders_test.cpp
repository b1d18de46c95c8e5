#include "compiler/recorders.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "compiler/track_builder.h"

namespace scenario {
namespace {

using testing::at;
using testing::cells_of_kind;
using testing::put;
using testing::state_with_track;

// The recorders' parameters as the reader holds them.
struct Signal {
  std::int32_t posizione = 10000;
  std::int32_t sx = 1, s1 = 0, s2 = 0, s3 = 0, rapp = 0, dx = 0, d1 = 0, d2 = 0, d3 = 0;
  std::int32_t tempo = 0;
};

std::int32_t record(GeneratorState& state, Signal& s) {
  return memo_segnale(state, s.posizione, s.sx, s.s1, s.s2, s.s3, s.rapp, s.dx, s.d1, s.d2, s.d3,
                      s.tempo);
}

struct Slowdown {
  std::int32_t x = 10500, v = 30, l = 150, f_tt = 1, f_ta = 1, d_v = 0;
};

std::int32_t record(GeneratorState& state, Slowdown& s) {
  return memo_rallentamento(state, s.x, s.v, s.l, s.f_tt, s.f_ta, s.d_v);
}

struct Board {
  std::int32_t posizione = 10000;
  std::int32_t vas = 0, vbs = 0, vcs = 0, strisces = 0, vad = 0, vbd = 0, vcd = 0, strisced = 0;
};

std::int32_t record(GeneratorState& state, Board& b) {
  return memo_indicatori_v_max(state, b.posizione, b.vas, b.vbs, b.vcs, b.strisces, b.vad, b.vbd,
                               b.vcd, b.strisced);
}

struct Tunnel {
  std::int32_t inizio = 1000, fine = 2000, tipo = 1;
};

std::int32_t record(GeneratorState& state, Tunnel& t) {
  return memo_montagna(state, t.inizio, t.fine, t.tipo);
}

std::int64_t occupied_cells(const GeneratorState& state) {
  std::int64_t n = 0;
  for (const TrackCell& c : state.track) n += c.kind != cell_kind::free ? 1 : 0;
  return n;
}

// --- The slowdown of the worked example: "rallentamento,  10500, 30, 150, 1, 1, 0" ---

TEST(SlowdownRecorderTest, WorkedExampleMarksStartEndWarningAndAnnounceCells) {
  GeneratorState state = state_with_track(1780);
  Slowdown s;
  ASSERT_EQ(record(state, s), 0);
  EXPECT_EQ(state.error_code, 0);

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
  GeneratorState state = state_with_track(1780);
  Slowdown s;
  s.d_v = 60;
  ASSERT_EQ(record(state, s), 0);
  EXPECT_EQ(at(state, 211).value2, 60);
  EXPECT_EQ(at(state, 214).value2, 60);
  EXPECT_EQ(at(state, 187).value2, 60);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(at(state, 186 - k).value2, k + 1);
}

TEST(SlowdownRecorderTest, NearTheStartOfTheLineThereIsNoWarningNorAnnounce) {
  GeneratorState state = state_with_track(1780);
  Slowdown s;
  s.x = 1500;
  ASSERT_EQ(record(state, s), 0);
  EXPECT_EQ(cells_of_kind(state, cell_kind::slowdown_start), std::vector<std::int64_t>{31});
  EXPECT_EQ(cells_of_kind(state, cell_kind::slowdown_end), std::vector<std::int64_t>{34});
  EXPECT_EQ(occupied_cells(state), 2);

  // 50 m later the warning exists, 1200 m before the start.
  GeneratorState later = state_with_track(1780);
  s.x = 1550;
  ASSERT_EQ(record(later, s), 0);
  EXPECT_EQ(cells_of_kind(later, cell_kind::slowdown_warning), std::vector<std::int64_t>{8});
  EXPECT_EQ(cells_of_kind(later, cell_kind::slowdown_announce),
            (std::vector<std::int64_t>{4, 5, 6, 7}));
}

TEST(SlowdownRecorderTest, CellsAreRoundedHalfToEven) {
  GeneratorState state = state_with_track(1780);
  Slowdown s;
  s.x = 10475;  // 210.5 -> 210
  s.l = 100;    // (10575 / 50 + 1) = 212.5 -> 212
  s.f_ta = 0;
  ASSERT_EQ(record(state, s), 0);
  EXPECT_EQ(at(state, 210).kind, cell_kind::slowdown_start);
  EXPECT_EQ(at(state, 212).kind, cell_kind::slowdown_end);
  EXPECT_EQ(at(state, 186).kind, cell_kind::slowdown_warning);  // 185.5 + 1 -> 186
}

// --- Occupancy conflicts: the code, its position, and what stays written ---

TEST(OccupancyTest, SlowdownWarningStartAndEndConflictsWriteNothing) {
  struct Case {
    std::int64_t taken;
    std::int32_t code;
  };
  for (const Case& c : {Case{187, 17}, Case{211, 18}, Case{214, 19}}) {
    GeneratorState state = state_with_track(1780);
    put(state, c.taken, cell_kind::speed_board, 2424);
    Slowdown s;
    EXPECT_EQ(record(state, s), c.code);
    EXPECT_EQ(state.error_code, c.code);
    EXPECT_EQ(state.error_pos, 10500);
    EXPECT_TRUE(state.error_pos_recorded);
    EXPECT_EQ(occupied_cells(state), 1) << "cell " << c.taken;
  }
}

TEST(OccupancyTest, AnnounceConflictKeepsStartEndAndWarning) {
  GeneratorState state = state_with_track(1780);
  put(state, 184, cell_kind::signal);
  Slowdown s;
  EXPECT_EQ(record(state, s), 20);
  EXPECT_EQ(state.error_code, 20);
  EXPECT_EQ(state.error_pos, 10500);
  EXPECT_EQ(at(state, 211).kind, cell_kind::slowdown_start);
  EXPECT_EQ(at(state, 214).kind, cell_kind::slowdown_end);
  EXPECT_EQ(at(state, 187).kind, cell_kind::slowdown_warning);
  EXPECT_EQ(at(state, 211).value1, 30);
  EXPECT_TRUE(cells_of_kind(state, cell_kind::slowdown_announce).empty());
}

TEST(OccupancyTest, SlowdownWithoutAnnounceIgnoresOccupiedAnnounceCells) {
  GeneratorState state = state_with_track(1780);
  put(state, 184, cell_kind::signal);
  Slowdown s;
  s.f_ta = 0;
  EXPECT_EQ(record(state, s), 0);
  EXPECT_EQ(state.error_code, 0);
}

TEST(OccupancyTest, SignalOnTakenCellIsRefusedWith16) {
  GeneratorState state = state_with_track(1780);
  put(state, 201, cell_kind::speed_board, 2424);
  Signal s;
  s.sx = 2;
  s.tempo = 50;
  EXPECT_EQ(record(state, s), 16);
  EXPECT_EQ(state.error_code, 16);
  EXPECT_EQ(state.error_pos, 10000);
  EXPECT_EQ(at(state, 201).kind, cell_kind::speed_board);
  EXPECT_EQ(at(state, 201).value1, 2424);
  for (int b = 1; b <= 4; ++b) EXPECT_EQ(at(state, 201 - 2 * b).approach_code, 0);
}

TEST(OccupancyTest, BoardOnTakenCellIsRefusedWith21) {
  GeneratorState state = state_with_track(1780);
  put(state, 201, cell_kind::signal, 33);
  Board b;
  b.vas = 120;
  EXPECT_EQ(record(state, b), 21);
  EXPECT_EQ(state.error_code, 21);
  EXPECT_EQ(state.error_pos, 10000);
  EXPECT_EQ(at(state, 201).kind, cell_kind::signal);
  EXPECT_EQ(at(state, 201).value1, 33);
}

TEST(OccupancyTest, TunnelMarkerCountsAsFreeAndIsReplaced) {
  GeneratorState state = state_with_track(1780);
  put(state, 201, cell_kind::tunnel_marker);
  Board b;
  EXPECT_EQ(record(state, b), 0);
  EXPECT_EQ(at(state, 201).kind, cell_kind::speed_board);

  put(state, 301, cell_kind::tunnel_marker);
  Signal s;
  s.posizione = 15000;
  EXPECT_EQ(record(state, s), 0);
  EXPECT_EQ(at(state, 301).kind, cell_kind::signal);

  put(state, 211, cell_kind::tunnel_marker);
  Slowdown d;
  EXPECT_EQ(record(state, d), 0);
  EXPECT_EQ(at(state, 211).kind, cell_kind::slowdown_start);
  EXPECT_EQ(state.error_code, 0);
}

TEST(OccupancyTest, SignalWhoseApproachCellsWouldLieBeforeTheTrackIsRefused) {
  GeneratorState state = state_with_track(1780);
  Signal s;
  s.posizione = 300;  // cell 7: its fourth approach cell would be -1
  EXPECT_EQ(record(state, s), 16);
  EXPECT_EQ(state.error_pos, 300);
  EXPECT_EQ(occupied_cells(state), 0);
  for (const TrackCell& c : state.track) EXPECT_EQ(c.approach_code, 0);

  s.posizione = 350;  // cell 8: approach cells 6, 4, 2 and 0
  EXPECT_EQ(record(state, s), 0);
  EXPECT_EQ(at(state, 8).kind, cell_kind::signal);
  EXPECT_EQ(at(state, 0).approach_code, 34);
}

// A feature that leaves the track is a failure of the reading (code 25 there), and nothing of it
// may be half stored.
TEST(OutsideTheTrackTest, FeaturesBeyondTheLastCellThrowAndWriteNothing) {
  GeneratorState state = state_with_track(100);
  Slowdown s;
  s.x = 4900;  // start cell 99, end cell 102
  s.f_ta = 1;
  EXPECT_THROW(record(state, s), ModelRangeError);
  EXPECT_EQ(occupied_cells(state), 0);

  Signal sig;
  sig.posizione = 5000;
  EXPECT_THROW(record(state, sig), ModelRangeError);
  for (const TrackCell& c : state.track) EXPECT_EQ(c.approach_code, 0);

  Board b;
  b.posizione = -100;
  EXPECT_THROW(record(state, b), ModelRangeError);

  Tunnel t;
  t.inizio = 4000;
  t.fine = 6000;
  EXPECT_THROW(record(state, t), ModelRangeError);
  EXPECT_EQ(state.tunnel_count, 0);
  for (const TrackCell& c : state.track) EXPECT_EQ(c.tunnel_type, 0);
  EXPECT_EQ(state.error_code, 0);
}

// --- Signals: values, signal_time, approach codes ---

TEST(SignalRecorderTest, ValuesAndApproachCodes) {
  GeneratorState state = state_with_track(1780);
  Signal s;
  s.sx = 2;
  s.dx = 1;
  s.rapp = 1;
  s.s1 = 3;
  s.d1 = 2;
  s.s2 = 4;
  s.d2 = 0;
  s.s3 = 1;
  s.d3 = 5;
  ASSERT_EQ(record(state, s), 0);
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
    GeneratorState state = state_with_track(1780);
    Signal s;
    s.sx = c.sx;
    s.tempo = c.tempo;
    ASSERT_EQ(record(state, s), 0);
    EXPECT_EQ(at(state, 201).signal_time, c.stored) << "sx " << c.sx << " tempo " << c.tempo;
    EXPECT_EQ(s.tempo, c.tempo_after) << "sx " << c.sx << " tempo " << c.tempo;
  }
}

TEST(SignalRecorderTest, ValuesKeepTheirLowBits) {
  GeneratorState state = state_with_track(1780);
  Signal s;
  s.s1 = 4000;
  s.d1 = 7;  // 40007 does not fit 16 bits
  s.sx = 9;
  s.dx = 5;  // (27 + 5) x 10 + b does not fit 8 bits
  ASSERT_EQ(record(state, s), 0);
  EXPECT_EQ(at(state, 201).value1, static_cast<std::int16_t>(40007 - 65536));
  EXPECT_EQ(at(state, 199).approach_code, (320 + 1) % 256);
  EXPECT_EQ(at(state, 193).approach_code, (320 + 4) % 256);
}

TEST(SignalRecorderTest, SignalsInNeighbouringCellsShareNoApproachCell) {
  GeneratorState state = state_with_track(1780);
  Signal first;  // cell 201, codes 31 to 34
  Signal second;
  second.posizione = 10050;  // cell 202
  second.sx = 2;
  second.dx = 1;
  ASSERT_EQ(record(state, first), 0);
  ASSERT_EQ(record(state, second), 0);
  EXPECT_EQ(at(state, 201).kind, cell_kind::signal);
  EXPECT_EQ(at(state, 202).kind, cell_kind::signal);
  for (int b = 1; b <= 4; ++b) {
    EXPECT_EQ(at(state, 201 - 2 * b).approach_code, 30 + b);
    EXPECT_EQ(at(state, 202 - 2 * b).approach_code, 70 + b);
  }
}

TEST(SignalRecorderTest, SignalsTwoCellsApartShareApproachCellsAndTheLaterWins) {
  GeneratorState state = state_with_track(1780);
  Signal first;  // cell 201
  Signal second;
  second.posizione = 10100;  // cell 203
  second.sx = 2;
  second.dx = 1;
  ASSERT_EQ(record(state, first), 0);
  ASSERT_EQ(record(state, second), 0);
  EXPECT_EQ(at(state, 201).kind, cell_kind::signal);
  EXPECT_EQ(at(state, 203).kind, cell_kind::signal);
  EXPECT_EQ(at(state, 201).approach_code, 71);  // the first signal's own cell
  EXPECT_EQ(at(state, 199).approach_code, 72);
  EXPECT_EQ(at(state, 197).approach_code, 73);
  EXPECT_EQ(at(state, 195).approach_code, 74);
  EXPECT_EQ(at(state, 193).approach_code, 34);  // only the first one reaches here
}

TEST(SignalRecorderTest, CellIsRoundedHalfToEven) {
  GeneratorState state = state_with_track(1780);
  Signal s;
  s.posizione = 10525;  // 211.5 -> 212
  ASSERT_EQ(record(state, s), 0);
  s.posizione = 10425;  // 209.5 -> 210
  ASSERT_EQ(record(state, s), 0);
  EXPECT_EQ(cells_of_kind(state, cell_kind::signal), (std::vector<std::int64_t>{210, 212}));
}

// --- Speed indicator boards ---

TEST(BoardRecorderTest, ValuesAreRightSpeedOverFivePlusLeftTimesTwenty) {
  GeneratorState state = state_with_track(1780);
  Board b;
  b.vas = 120;
  b.vad = 120;
  b.vbs = 2;
  b.vbd = 7;  // 1.4 + 40 -> 41
  b.vcs = 0;
  b.vcd = 8;  // 1.6 -> 2
  b.strisces = 3;
  b.strisced = 4;
  ASSERT_EQ(record(state, b), 0);
  const TrackCell& c = at(state, 201);
  EXPECT_EQ(c.kind, cell_kind::speed_board);
  EXPECT_EQ(c.value1, 2424);
  EXPECT_EQ(c.value2, 41);
  EXPECT_EQ(c.value3, 2);
  EXPECT_EQ(c.value4, 34);
}

TEST(BoardRecorderTest, ValuesKeepTheirLowSixteenBits) {
  GeneratorState state = state_with_track(1780);
  Board b;
  b.vas = 2000;  // 40000
  b.strisces = 7000;
  ASSERT_EQ(record(state, b), 0);
  EXPECT_EQ(at(state, 201).value1, static_cast<std::int16_t>(40000 - 65536));
  EXPECT_EQ(at(state, 201).value4, static_cast<std::int16_t>(70000 - 65536));
}

// --- Tunnels ---

TEST(TunnelRecorderTest, TypeIsWrittenOverTheStretchWhateverItHolds) {
  GeneratorState state = state_with_track(1780);
  put(state, 30, cell_kind::signal, 12);
  Tunnel t;  // 1000 to 2000: cells 20 to 39
  ASSERT_EQ(record(state, t), 0);
  for (std::int64_t i = 20; i <= 39; ++i) EXPECT_EQ(at(state, i).tunnel_type, 1) << i;
  EXPECT_EQ(at(state, 19).tunnel_type, 0);
  EXPECT_EQ(at(state, 40).tunnel_type, 0);
  EXPECT_EQ(at(state, 30).kind, cell_kind::signal);
  EXPECT_EQ(at(state, 30).value1, 12);
  EXPECT_TRUE(cells_of_kind(state, cell_kind::tunnel_marker).empty());
  EXPECT_EQ(state.tunnel_count, 1);
  ASSERT_GE(state.tunnel_starts.size(), 2u);
  EXPECT_EQ(state.tunnel_starts[1], 1000);
  EXPECT_EQ(state.tunnel_ends[1], 2000);
}

TEST(TunnelRecorderTest, TypeAboveTenAsksForMarkersInEveryFourthEmptyCell) {
  GeneratorState state = state_with_track(1780);
  put(state, 27, cell_kind::speed_board);  // the 8th cell written is taken
  Tunnel t;
  t.tipo = 12;
  ASSERT_EQ(record(state, t), 0);
  EXPECT_EQ(t.tipo, 2);
  EXPECT_EQ(at(state, 25).tunnel_type, 2);
  EXPECT_EQ(cells_of_kind(state, cell_kind::tunnel_marker),
            (std::vector<std::int64_t>{23, 31, 35, 39}));
  EXPECT_EQ(at(state, 27).kind, cell_kind::speed_board);

  GeneratorState plain = state_with_track(1780);
  Tunnel ten;
  ten.tipo = 10;
  ASSERT_EQ(record(plain, ten), 0);
  EXPECT_EQ(at(plain, 25).tunnel_type, 10);
  EXPECT_TRUE(cells_of_kind(plain, cell_kind::tunnel_marker).empty());
}

TEST(TunnelRecorderTest, TunnelWithin150MetresOfThePreviousBecomesType3) {
  for (const std::int32_t start : {2150, 2200}) {
    GeneratorState state = state_with_track(1780);
    Tunnel first;
    Tunnel second;
    second.inizio = start;
    second.fine = 3000;
    second.tipo = 12;
    ASSERT_EQ(record(state, first), 0);
    ASSERT_EQ(record(state, second), 0);
    const int expected = start == 2150 ? 3 : 2;
    EXPECT_EQ(second.tipo, expected) << start;
    EXPECT_EQ(at(state, 50).tunnel_type, expected) << start;
    EXPECT_EQ(at(state, 30).tunnel_type, 1) << start;
    EXPECT_EQ(state.tunnel_count, 2);
    // Markers still come from the type above 10.
    EXPECT_FALSE(cells_of_kind(state, cell_kind::tunnel_marker).empty());
  }
}

TEST(TunnelRecorderTest, OnlyThePreviousTunnelCounts) {
  GeneratorState state = state_with_track(1780);
  Tunnel a;
  a.fine = 9000;
  Tunnel b;
  b.inizio = 2000;
  b.fine = 3000;
  Tunnel c;
  c.inizio = 9100;  // 100 m after a's end, but b is the previous one
  c.fine = 9500;
  c.tipo = 2;
  ASSERT_EQ(record(state, a), 0);
  ASSERT_EQ(record(state, b), 0);
  ASSERT_EQ(record(state, c), 0);
  EXPECT_EQ(b.tipo, 3);  // it starts before a's end
  EXPECT_EQ(c.tipo, 2);
  EXPECT_EQ(state.tunnel_count, 3);
  EXPECT_EQ(state.tunnel_ends[3], 9500);
}

TEST(TunnelRecorderTest, EmptyStretchWritesNothingButCounts) {
  GeneratorState state = state_with_track(1780);
  Tunnel t;
  t.inizio = 2000;
  t.fine = 1000;
  ASSERT_EQ(record(state, t), 0);
  for (const TrackCell& c : state.track) EXPECT_EQ(c.tunnel_type, 0);
  EXPECT_EQ(state.tunnel_count, 1);
}

TEST(TunnelRecorderTest, TypeKeepsItsLowEightBits) {
  GeneratorState state = state_with_track(1780);
  Tunnel t;
  t.tipo = 266;  // a type of 256 with markers
  ASSERT_EQ(record(state, t), 0);
  EXPECT_EQ(at(state, 20).tunnel_type, 0);
  EXPECT_EQ(at(state, 23).kind, cell_kind::tunnel_marker);
  t.tipo = 300;
  t.inizio = 5000;
  t.fine = 6000;
  ASSERT_EQ(record(state, t), 0);
  EXPECT_EQ(at(state, 110).tunnel_type, 290 - 256);
}

}  // namespace
}  // namespace scenario
