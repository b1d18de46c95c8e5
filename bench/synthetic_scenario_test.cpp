// The synthetic scenario holds what it claims, keeps its features off each other's cells, and
// compiles without a code. The cells are worked out here from the text alone, by the compiler's
// placement rules, so that a fault in the generator's own bookkeeping cannot hide.
#include "synthetic_scenario.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_support.h"
#include "compiler/compilation.h"
#include "format/file_names.h"
#include "format/model.h"
#include "platform/file_system.h"
#include "run/memorizza_percorso.h"

namespace {

struct Record {
  std::string keyword;
  std::vector<std::string> values;
  std::int32_t number(std::size_t i) const { return std::stoi(values.at(i)); }
};

std::string trimmed(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "text after the last CR LF";
  return lines;
}

// Comma-separated records, in file order; headers and empty lines are left out.
std::vector<Record> records_of(const std::string& text) {
  std::vector<Record> records;
  for (const std::string& line : lines_of(text)) {
    if (line.find(',') == std::string::npos) continue;
    Record r;
    std::size_t start = 0;
    for (std::size_t end = 0; end != std::string::npos; start = end + 1) {
      end = line.find(',', start);
      r.values.push_back(trimmed(line.substr(start, end - start)));
    }
    r.keyword = r.values.front();
    r.values.erase(r.values.begin());
    records.push_back(r);
  }
  return records;
}

std::vector<Record> with_keyword(const std::vector<Record>& all, const std::string& prefix) {
  std::vector<Record> out;
  std::copy_if(all.begin(), all.end(), std::back_inserter(out),
               [&](const Record& r) { return r.keyword.rfind(prefix, 0) == 0; });
  return out;
}

std::int64_t point_cell(std::int64_t p) {
  return static_cast<std::int64_t>(scenario::round_half_even(static_cast<double>(p) / 50.0 + 1.0));
}

// Which feature holds each cell; a second claim on a cell is a failure.
class Occupancy {
 public:
  void claim(std::int64_t cell, const std::string& who) {
    const auto [it, inserted] = owner_.emplace(cell, who);
    EXPECT_TRUE(inserted) << who << " and " << it->second << " share cell " << cell;
  }
  bool taken(std::int64_t cell) const { return owner_.count(cell) != 0; }

 private:
  std::map<std::int64_t, std::string> owner_;
};

Occupancy occupancy_of(const synthetic::Scenario& s) {
  const auto line = records_of(s.line_source);
  const auto train = records_of(s.train_source);
  Occupancy cells;
  for (const Record& r : with_keyword(line, "indicatori_vmax")) {
    cells.claim(point_cell(r.number(0)), "board at " + r.values[0]);
  }
  for (const Record& r : with_keyword(train, "segnale")) {
    cells.claim(point_cell(r.number(0)), "signal at " + r.values[0]);
  }
  for (const Record& r : with_keyword(train, "stazione")) {
    const std::int64_t end = r.number(0) + r.number(2) / 2;
    cells.claim(end / 50 - 1, "stop of station at " + r.values[0]);
  }
  for (const Record& r : with_keyword(train, "rallentamento")) {
    const std::int64_t x = r.number(0);
    const std::string who = "slowdown at " + r.values[0];
    cells.claim(point_cell(x), who + " (start)");
    cells.claim(point_cell(x + r.number(2)), who + " (end)");
    const std::int64_t warning = point_cell(x - 1200);
    cells.claim(warning, who + " (warning)");
    for (int i = 1; i <= 4; ++i) cells.claim(warning - i, who + " (announce)");
  }
  return cells;
}

TEST(SyntheticScenario, HoldsTheRecordsItCounts) {
  const synthetic::Scenario s = synthetic::make_scenario(100000);
  const auto line = records_of(s.line_source);
  const auto train = records_of(s.train_source);

  // 100 km: every 1 km from 1 km, every 400 m from 400 m to 99600 m (each curve ends inside the
  // line), every 2 km, every 1350 m, every 10 km, every 25 km.
  struct Kind {
    const std::vector<Record>& source;
    const char* keyword;
    int synthetic::Counts::*counted;
    int count;
  };
  const Kind kinds[] = {
      {line, "pendenza", &synthetic::Counts::gradients, 99},
      {line, "curva", &synthetic::Counts::curves, 249},
      {line, "indicatori_vmax", &synthetic::Counts::boards, 49},
      {line, "montagna", &synthetic::Counts::tunnels, 200},
      {train, "segnale", &synthetic::Counts::signals, 74},
      {train, "stazione", &synthetic::Counts::stations, 9},
      {train, "rallentamento", &synthetic::Counts::slowdowns, 3},
  };
  for (const Kind& k : kinds) {
    EXPECT_EQ(s.counts.*k.counted, k.count) << k.keyword;
    EXPECT_EQ(with_keyword(k.source, k.keyword).size(), static_cast<std::size_t>(k.count))
        << k.keyword;
  }
  ASSERT_EQ(with_keyword(line, "lunghezza percorso").size(), 1u);
  EXPECT_EQ(with_keyword(line, "lunghezza percorso")[0].number(0), 100000);
}

TEST(SyntheticScenario, TheLongestLineKeepsToTheStationsTheTableHolds) {
  const synthetic::Scenario s = synthetic::make_scenario(1000000);
  EXPECT_EQ(s.counts.stations, synthetic::most_stations);
  EXPECT_EQ(with_keyword(records_of(s.train_source), "stazione").size(), 78u);
  EXPECT_EQ(s.counts.signals, 740);
  EXPECT_EQ(s.counts.curves, 2499);
  EXPECT_EQ(s.counts.slowdowns, 39);
  // Stations come last, after every other train record.
  EXPECT_EQ(records_of(s.train_source).back().keyword, "stazione");
}

TEST(SyntheticScenario, NoTwoFeaturesShareACell) {
  for (std::int32_t length : {100000, 500000, 1000000}) {
    SCOPED_TRACE(length);
    const synthetic::Scenario s = synthetic::make_scenario(length);
    occupancy_of(s);
    // Features that met were moved, not dropped.
    EXPECT_GT(s.shifted, 0);
  }
}

TEST(SyntheticScenario, EverySignalLeavesTheCellBeforeItFree) {
  const synthetic::Scenario s = synthetic::make_scenario(1000000);
  const Occupancy cells = occupancy_of(s);
  for (const Record& r : with_keyword(records_of(s.train_source), "segnale")) {
    EXPECT_FALSE(cells.taken(point_cell(r.number(0)) - 1)) << "signal at " << r.values[0];
    EXPECT_GE(point_cell(r.number(0)), 8);
  }
}

TEST(SyntheticScenario, PositionsAscendAndCurvesDoNotOverlap) {
  const synthetic::Scenario s = synthetic::make_scenario(500000);
  const auto line = records_of(s.line_source);
  const auto train = records_of(s.train_source);
  std::int64_t curve_end = 0;
  for (const Record& r : with_keyword(line, "curva")) {
    EXPECT_GE(r.number(0), curve_end);
    curve_end = r.number(0) + r.number(1);
  }
  EXPECT_LE(curve_end, 500000);
  for (const char* kind : {"pendenza", "indicatori_vmax", "montagna"}) {
    const auto rs = with_keyword(line, kind);
    EXPECT_TRUE(std::is_sorted(rs.begin(), rs.end(), [](const Record& a, const Record& b) {
      return a.number(0) < b.number(0);
    })) << kind;
  }
  const auto stations = with_keyword(train, "stazione");
  for (std::size_t i = 1; i < stations.size(); ++i) {
    EXPECT_GE(stations[i].number(0) - stations[i - 1].number(0), 10000 - 50);
  }
}

TEST(SyntheticScenario, RefusesLengthsOutsideTheRoute) {
  EXPECT_THROW(synthetic::make_scenario(1000050), std::invalid_argument);
  EXPECT_THROW(synthetic::make_scenario(10000), std::invalid_argument);
  EXPECT_THROW(synthetic::make_scenario(100010), std::invalid_argument);
}

int count_kind(const std::vector<scenario::TrackCell>& track, std::uint8_t kind) {
  return static_cast<int>(
      std::count_if(track.begin(), track.end(), [kind](const auto& c) { return c.kind == kind; }));
}

// Compiles the scenario of `length` metres and checks that every feature reached the track.
void expect_clean_compile(std::int32_t length) {
  SCOPED_TRACE(length);
  const synthetic::Scenario synth = synthetic::make_scenario(length);
  bench::ScratchFolder folder;
  scenario::RealFileSystem fs;
  const scenario::ScenarioNames names{folder.str(), "Sintetico", "1"};
  bench::write_bytes(scenario::line_source_path(names), synth.line_source);
  bench::write_bytes(scenario::train_source_path(names), synth.train_source);
  const scenario::RunCompile c = scenario::memorizza_percorso(names, fs, {.build_line = true});
  const scenario::CompiledScenario& state = c.result.model;

  EXPECT_EQ(c.result.code.code, scenario::Code::none);
  EXPECT_TRUE(bench::compiled_sizes(names).all_written());
  EXPECT_FALSE(fs.exists(scenario::line_source_path(names)));
  EXPECT_FALSE(fs.exists(scenario::train_source_path(names)));
  EXPECT_EQ(state.track.size(), static_cast<std::size_t>((length + 7000) / 50 + 1));
  namespace kind = scenario::cell_kind;
  EXPECT_EQ(count_kind(state.track, kind::signal), synth.counts.signals);
  EXPECT_EQ(count_kind(state.track, kind::speed_board), synth.counts.boards);
  EXPECT_EQ(count_kind(state.track, kind::station_stop), synth.counts.stations);
  EXPECT_EQ(count_kind(state.track, kind::slowdown_start), synth.counts.slowdowns);
  EXPECT_EQ(count_kind(state.track, kind::slowdown_end), synth.counts.slowdowns);
  EXPECT_EQ(count_kind(state.track, kind::slowdown_warning), synth.counts.slowdowns);
  EXPECT_EQ(count_kind(state.track, kind::slowdown_announce), 4 * synth.counts.slowdowns);
  // The last station is in the table, and the entry after it is empty.
  const auto last = static_cast<std::size_t>(synth.counts.stations);
  EXPECT_EQ(state.table[last].name, "STAZIONE " + std::to_string(last));
  EXPECT_EQ(state.table[last + 1].name, "");
}

TEST(SyntheticScenario, CompilesWithoutACodeAndKeepsEveryFeature) {
  expect_clean_compile(100000);
  expect_clean_compile(1000000);
}

}  // namespace
