// The three documents of a scenario, from its table and track.
#include <algorithm>

#include "scenario_tool/documents/documents.h"

namespace scenario::tool {

namespace {

// The highest line speed limit between the first station and the last.
std::int32_t top_speed(const Scenario& scenario, std::int64_t from_m, std::int64_t to_m) {
  std::int32_t top = 0;
  for (const Run& r : scenario.speed_limits_kmh) {
    if (r.value && r.start_m < std::max(to_m, from_m + 1) && r.end_m > from_m) {
      top = std::max(top, *r.value);
    }
  }
  return top;
}

}  // namespace

DerivedDocuments derive_documents(const Scenario& scenario, const std::vector<TrackCell>& track,
                                  const DocumentOptions& options) {
  if (scenario.stations.size() < 2) {
    return {std::nullopt, scenario.stations.empty()
                              ? "the scenario has no station: a timetable needs two at least"
                              : "the scenario has a single station: a timetable needs two at "
                                "least"};
  }
  Documents d;
  if (scenario.header) {
    d.route_id = scenario.header->route_id;
    d.train_number = scenario.header->train_number;
    d.braked_mass_percent = scenario.header->braked_mass_percent;
  }
  d.options = options;
  d.rows = sheet_rows(scenario, track, options, d.findings);
  d.first_station = d.rows.front().place;
  d.last_station = d.rows.back().place;
  d.top_speed_kmh = top_speed(scenario, d.rows.front().position_m, d.rows.back().position_m);
  d.slowdowns = slowdown_rows(scenario);
  d.remarks = note_remarks(scenario);
  return {std::move(d), ""};
}

std::string crlf_text(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace scenario::tool
