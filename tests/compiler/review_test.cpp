// Behaviours checked against the rules of the compiler that no other test pins: the eighth cell
// of a slow slowdown falling on its end cell, and the zone of a first station whose far end is
// lengthened although its own "mar" is then cleared.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/compilation.h"
#include "compiler/finishing_pass.h"
#include "compiler/memorizza_dati.h"
#include "compiler/track_builder.h"
#include "format/model.h"
#include "support/sources.h"

// Inside the tests' own namespace, so that the helpers of the track builder need no naming.
namespace scenario::testing {
namespace {

using Cells = std::vector<std::int64_t>;

// The walk inside a slowdown tests the counter before it tests for the end cell, so an end 8
// cells after the start still gets a marker next to it: before it when that cell is free, else
// just past it.
TEST(SlowdownEndOnTheEighthCellTest, MarkerGoesBeforeTheEndOrElseJustPastIt) {
  struct Case {
    Cells taken;
    std::int64_t expected;
  };
  for (const Case& c : {Case{{}, 207}, Case{{207}, 209}}) {
    TestTrack state(1780);
    put(state, 200, cell_kind::slowdown_start, 30);
    put(state, 208, cell_kind::slowdown_end, 30);
    for (std::int64_t i : c.taken) put(state, i, cell_kind::speed_board);
    finishing_pass(state.track, state.codes);
    Cells inside;
    for (std::int64_t i : cells_of_kind(state, cell_kind::code_cut)) {
      if (i > 200) inside.push_back(i);
    }
    EXPECT_EQ(inside, (Cells{c.expected}));
    EXPECT_EQ(at(state, 208).kind, cell_kind::slowdown_end);
    EXPECT_EQ(state.code(), Code::none);

    // At 110 nothing is placed inside or next to the end.
    TestTrack fast(1780);
    put(fast, 200, cell_kind::slowdown_start, 110);
    put(fast, 208, cell_kind::slowdown_end, 110);
    for (std::int64_t i : c.taken) put(fast, i, cell_kind::speed_board);
    finishing_pass(fast.track, fast.codes);
    for (std::int64_t i : cells_of_kind(fast, cell_kind::code_cut)) EXPECT_LT(i, 200);
  }
}

// A first station of a centred type read with "mar" set: its far end is 50 m further, as "mar"
// stands when the zone is computed, and only then are its "mar" and "tab" cleared; the stop cell
// and the approach codes follow the lengthened end.
TEST(FirstStationTest, ZoneUsesMarAsReadBeforeItIsCleared) {
  Compilation c({"Prova_Linea", "4711"});
  c.options.build_line = false;
  c.sources = testing::sources_of(
      testing::crlf({"[generale]", "lunghezza percorso, 10000", "[fine]"}),
      testing::crlf({"[generale]",
                     "stazione, 2750, 2, 600, 1, 1, 1, 4, 1, 0, 2, 1, 1, 40, 19, 11, 0, PRIMA",
                     "[fine]", ""}));
  memorizza_dati(c);

  ASSERT_EQ(c.codes.last().code, Code::none);
  const std::vector<TrackCell>& track = c.model.track;
  const SimRecord& first = c.model.table.at(1);
  EXPECT_EQ(first.start_m, 2450);
  EXPECT_EQ(first.end_m, 3100);
  EXPECT_EQ(first.mar, 0);
  EXPECT_EQ(first.tab, 0);
  EXPECT_EQ(first.name, "PRIMA");
  EXPECT_EQ(track.at(61).kind, cell_kind::station_stop);
  EXPECT_EQ(track.at(61).value1, 1);
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(track.at(61 - k).approach_code, 80 + k);
  EXPECT_EQ(track.at(62).kind, cell_kind::free);
}

}  // namespace
}  // namespace scenario::testing
