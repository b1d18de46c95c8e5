// The typed scenario that every verb reads, built through open_scenario from the compiled files of
// several scenarios, against what their sources hold and what the compiler's own model holds:
// every station, signal, slowdown and board appears where its record puts it, with its values,
// and the stretches cover the track without gap.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include "compiler/compile_sources.h"
#include "format/cell_values.h"
#include "format/feature_layout.h"
#include "platform/memory_file_system.h"
#include "run/builtin_scenario.h"
#include "run/write_compiled_files.h"
#include "scenario_tool/exit_codes.h"
#include "scenario_tool/scenario/open_scenario.h"
#include "sources/contenuti.h"
#include "synthetic_scenario.h"

namespace scenario::tool {
namespace {

// The numbers of every source record of one keyword, in the order the source gives them.
std::vector<std::vector<std::int64_t>> records(const std::string& source, const std::string& key) {
  std::vector<std::vector<std::int64_t>> out;
  std::istringstream in(source);
  for (std::string line; std::getline(in, line);) {
    std::string head = line.substr(0, line.find(','));
    head.erase(std::remove_if(head.begin(), head.end(), ::isspace), head.end());
    std::transform(head.begin(), head.end(), head.begin(), ::tolower);
    if (head != key || line.find(',') == std::string::npos) continue;
    std::vector<std::int64_t> numbers;
    std::istringstream fields(line.substr(line.find(',') + 1));
    for (std::string f; std::getline(fields, f, ',');) {
      try {
        numbers.push_back(std::stoll(f));
      } catch (const std::exception&) {
        break;  // the name of a station ends its numbers
      }
    }
    out.push_back(numbers);
  }
  return out;
}

// The metre at which the cell of a point feature at `p` begins.
std::int64_t cell_metre(std::int64_t p) {
  return static_cast<std::int64_t>(round_half_even(static_cast<double>(p) / cell_metres + 1)) *
         cell_metres;
}

struct Case {
  std::string what;
  std::string line_source;
  std::string train_source;
  ScenarioNames names;
};

struct Compiled {
  CompiledScenario model;
  OpenedScenario opened;
};

Compiled compile_and_open(const Case& c) {
  MemoryFileSystem fs;
  const CompileResult result =
      compile_sources({{c.names.route_id, c.names.train_number},
                       {SourceText::of(c.line_source), SourceText::of(c.train_source)},
                       {}});
  EXPECT_EQ(result.code.code, Code::none) << "the case itself must compile clean";
  write_compiled_files(c.names, result, fs);
  std::ostringstream err;
  auto opened = open_scenario({c.names.folder}, "test", fs, err);
  EXPECT_EQ(err.str(), "");
  EXPECT_TRUE(std::holds_alternative<OpenedScenario>(opened));
  return {result.model, std::get<OpenedScenario>(std::move(opened))};
}

void expect_stations(const Case& c, const Compiled& k) {
  const auto sources = records(c.train_source, "stazione");
  ASSERT_FALSE(sources.empty()) << "the case must hold such records";
  const Scenario& s = k.opened.scenario;
  ASSERT_EQ(s.stations.size(), sources.size());
  for (std::size_t i = 0; i < sources.size(); ++i) {
    const Station& st = s.stations[i];
    EXPECT_EQ(st.position_m, sources[i][0]) << "station " << i;
    EXPECT_EQ(st.type, sources[i][1]) << "station " << i;
    const SimRecord& entry = k.model.table[static_cast<std::size_t>(st.entry)];
    EXPECT_EQ(st.name, entry.name);
    EXPECT_LE(st.zone_start_m, st.position_m);
    EXPECT_GE(st.zone_end_m, st.position_m);
    if (st.stop_cell) {
      EXPECT_EQ(k.model.track[static_cast<std::size_t>(*st.stop_cell)].kind,
                cell_kind::station_stop);
    }
  }
}

// Each train record of `key` has one typed item, found by the metre `metre_of` reads from it, and
// `check` holds for the two; as many items as records.
template <class T, class MetreOf, class Check>
void expect_each_record(const Case& c, const char* key, const std::vector<T>& items,
                        MetreOf metre_of, Check check) {
  const auto sources = records(c.train_source, key);
  ASSERT_FALSE(sources.empty()) << "the case must hold such records";
  ASSERT_EQ(items.size(), sources.size());
  for (const auto& r : sources) {
    const auto found = std::find_if(items.begin(), items.end(), [&](const T& item) {
      return metre_of(item) == cell_metre(r[0]);
    });
    ASSERT_NE(found, items.end()) << key << " at " << r[0];
    check(*found, r);
  }
}

void expect_signals(const Case& c, const Compiled& k) {
  expect_each_record(
      c, "segnale", k.opened.scenario.signals, [](const Signal& g) { return g.position_m; },
      [](const Signal& g, const std::vector<std::int64_t>& r) {
        const SignalValues& v = g.values.values;
        EXPECT_EQ(
            (std::vector<std::int64_t>{v.sx, v.s1, v.s2, v.s3, v.rapp, v.dx, v.d1, v.d2, v.d3}),
            std::vector<std::int64_t>(r.begin() + 1, r.begin() + 10))
            << "signal at " << r[0];
      });
}

void expect_slowdowns(const Case& c, const Compiled& k) {
  expect_each_record(
      c, "rallentamento", k.opened.scenario.slowdowns, [](const Slowdown& d) { return d.start_m; },
      [](const Slowdown& d, const std::vector<std::int64_t>& r) {
        EXPECT_EQ(d.end_m, cell_metre(r[0] + r[2])) << "slowdown at " << r[0];
        EXPECT_EQ(d.speed_kmh, r[1]);
        EXPECT_EQ(d.f_tt, r[3]);
        EXPECT_EQ(d.d_v, r[5]);
        const bool warned = r[0] > layout::warning_threshold_m;
        EXPECT_EQ(d.warning_m.has_value(), warned) << "slowdown at " << r[0];
        EXPECT_EQ(d.announced, warned && r[4] == 1) << "slowdown at " << r[0];
      });
}

void expect_track(const Compiled& k) {
  const Scenario& s = k.opened.scenario;
  const auto occupied = std::count_if(k.model.track.begin(), k.model.track.end(),
                                      [](const TrackCell& t) { return t.kind != cell_kind::free; });
  EXPECT_EQ(static_cast<std::int64_t>(s.features.size()), occupied);
  EXPECT_EQ(s.cell_count, static_cast<std::int64_t>(k.model.track.size()));
  for (const Feature& f : s.features) {
    EXPECT_EQ(f.kind, k.model.track[static_cast<std::size_t>(f.cell)].kind);
    EXPECT_EQ(f.position_m, f.cell * cell_metres);
  }
  // Each property's runs cover the track from its start to its end, one after the other.
  const auto covers = [&](const auto& runs, const char* what) {
    ASSERT_FALSE(runs.empty()) << what;
    EXPECT_EQ(runs.front().start_m, 0) << what;
    EXPECT_EQ(runs.back().end_m, s.cell_count * cell_metres) << what;
    for (std::size_t i = 1; i < runs.size(); ++i) {
      EXPECT_EQ(runs[i].start_m, runs[i - 1].end_m) << what;
    }
  };
  covers(s.gradients, "gradients");
  covers(s.speed_limits_kmh, "speed limits");
  covers(s.adhesion, "adhesion");
  covers(s.tunnel_types, "tunnel types");
}

void expect_header(const Compiled& k, const Case& c) {
  const Scenario& s = k.opened.scenario;
  ASSERT_TRUE(s.header.has_value());
  EXPECT_EQ(s.header->route_id, c.names.route_id);
  EXPECT_EQ(s.header->train_number, c.names.train_number);
  // Each header value of a source record comes back from the entry and field the accessors name.
  const auto one = [](const std::string& source, const char* key) -> std::int64_t {
    const auto found = records(source, key);
    return found.size() == 1 && !found[0].empty() ? found[0][0] : -1;
  };
  const Header& h = *s.header;
  EXPECT_EQ(h.route_length_m, one(c.line_source, "lunghezzapercorso"));
  EXPECT_EQ(h.backgrounds[0], one(c.line_source, "sfondouno"));
  EXPECT_EQ(h.backgrounds[1], one(c.line_source, "sfondodue"));
  EXPECT_EQ(h.backgrounds[2], one(c.line_source, "sfondotre"));
  EXPECT_EQ(h.coaches, one(c.train_source, "numerovetture"));
  EXPECT_EQ(h.braked_mass_percent, one(c.train_source, "percentualemassafrenata"));
  EXPECT_EQ(h.sand, one(c.train_source, "sabbia"));
  const auto repetition = records(c.line_source, "ripetizionesegnali4codici");
  ASSERT_EQ(repetition.size(), 1U);
  EXPECT_EQ(h.repetition_start_m, repetition[0][0]);
  EXPECT_EQ(h.repetition_end_m, repetition[0][1]);
  EXPECT_EQ(h.repetition_codes, repetition[0][1] == 0 ? 0 : 4);
  ASSERT_TRUE(s.curves.has_value());
  EXPECT_FALSE(s.curves->broken_m.has_value()) << s.curves->broken_reason;
}

std::vector<Case> cases() {
  std::vector<Case> out{{"built-in", render_lines(contenuto_linea()),
                         render_lines(contenuto_treno()),
                         ScenarioNames{"c", builtin_route_id, builtin_train_number}}};
  for (std::uint32_t seed = 1; seed <= 5; ++seed) {
    const std::int32_t length = synthetic::shortest_route + static_cast<std::int32_t>(seed) * 9150;
    const synthetic::Scenario s = synthetic::make_scenario(length, seed);
    out.push_back({"seed " + std::to_string(seed), s.line_source, s.train_source,
                   ScenarioNames{"c", "Sintetico", "1"}});
  }
  return out;
}

TEST(TypedScenario, HoldsWhatTheSourcesAndTheCompilersModelHold) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.what);
    const Compiled k = compile_and_open(c);
    EXPECT_EQ(k.opened.status, exit_code::clean);
    expect_header(k, c);
    expect_stations(c, k);
    expect_signals(c, k);
    expect_slowdowns(c, k);
    expect_track(k);
  }
}

}  // namespace
}  // namespace scenario::tool
