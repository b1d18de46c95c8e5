// The slowdown order's rows: each slowdown between the two stations with a stop point around it.
#include <algorithm>

#include "format/constants.h"
#include "scenario_tool/documents/documents.h"
#include "scenario_tool/documents/layout.h"

namespace scenario::tool {

namespace {

// Stations of these types have a stop point; the others are passed.
constexpr int kFirstPassingType = 25;

// The stations around `position_m`: both when it lies between two, the nearer one alone when it
// lies before the first or after the last.
std::string between(const std::vector<const Station*>& stops, std::int64_t position_m) {
  const auto after = std::find_if(stops.begin(), stops.end(),
                                  [&](const Station* s) { return s->position_m > position_m; });
  if (stops.empty()) return "";
  if (after == stops.begin()) return lettered((*after)->name);
  if (after == stops.end()) return lettered(stops.back()->name);
  return lettered((*(after - 1))->name) + " - " + lettered((*after)->name);
}

}  // namespace

std::vector<SlowdownRow> slowdown_rows(const Scenario& scenario) {
  std::vector<const Station*> stops;
  for (const Station& s : scenario.stations) {
    if (s.type < kFirstPassingType) stops.push_back(&s);
  }
  // Without a stop point anywhere, every station names the places.
  if (stops.empty()) {
    for (const Station& s : scenario.stations) stops.push_back(&s);
  }
  std::stable_sort(stops.begin(), stops.end(), [](const Station* a, const Station* b) {
    return a->position_m < b->position_m;
  });
  std::vector<SlowdownRow> rows;
  for (const Slowdown& s : scenario.slowdowns) {
    // A start without its end holds its own cell only (as the running-time model takes it).
    const std::int64_t end = s.end_m.value_or(s.start_m + cell_metres);
    rows.push_back(
        {between(stops, s.start_m), s.start_m, end - s.start_m, s.speed_kmh, s.f_tt == 1});
  }
  std::stable_sort(rows.begin(), rows.end(), [](const SlowdownRow& a, const SlowdownRow& b) {
    return a.start_m < b.start_m;
  });
  return rows;
}

}  // namespace scenario::tool
