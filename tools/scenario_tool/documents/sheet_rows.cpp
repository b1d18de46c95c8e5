// The timetable sheet's rows: their places, their times, and what the data did not let the sheet
// tell as it says.
#include "format/constants.h"
#include "scenario_tool/check/timetable.h"
#include "scenario_tool/documents/placed_row.h"
#include "scenario_tool/scenario/position_text.h"

namespace scenario::tool {

namespace {

// The place-name column holds this many characters after its leading space.
constexpr std::size_t kNameWidth = 27;

std::int64_t start_time(const Scenario& scenario, const Station& first) {
  if (first.time_s != 0 || !scenario.header) return first.time_s;
  const auto& c = scenario.header->clock;
  return c[0] * 3600 + c[1] * 60 + c[2];
}

// The start of the last stretch without a speed limit before `position_m`: the record to blame.
std::int64_t undrivable_before(const Scenario& scenario, std::int64_t position_m) {
  std::int64_t at = position_m;
  for (const Run& r : scenario.speed_limits_kmh) {
    if (r.start_m < position_m && (!r.value || *r.value <= 0)) at = r.start_m;
  }
  return at;
}

void tell_rows(const Scenario& scenario, const std::vector<PlacedRow>& rows,
               std::vector<CheckFinding>& findings) {
  for (const PlacedRow& p : rows) {
    const SheetRow& r = p.row;
    const bool station =
        r.kind != RowKind::speed_change && r.kind != RowKind::km_post && r.kind != RowKind::signal;
    if (station && r.place.size() > kNameWidth) {
      findings.push_back({r.position_m, Severity::warning, check_id::stop_cell, FileRole::table,
                          "the name " + r.place + " is cut to its first " +
                              std::to_string(kNameWidth) + " characters on the sheet"});
    }
    if (p.late_s >= 0.5) {
      findings.push_back(
          {r.position_m, Severity::warning, check_id::timetable_estimate, FileRole::table,
           "the timetable leaves less than the running time to " + r.place +
               ": the train reaches it " + duration_text(p.late_s) + " late on the sheet"});
    }
    if (!r.arrival_s && !r.departure_s) {
      findings.push_back({undrivable_before(scenario, r.position_m), Severity::warning,
                          check_id::timetable_untimed, FileRole::track,
                          "no time at " + r.place + " (" + km_position(r.position_m) +
                              "): a cell before it has no speed limit (0 km/h), so its time is "
                              "left blank"});
    }
  }
}

}  // namespace

std::vector<SheetRow> sheet_rows(const Scenario& scenario, const std::vector<TrackCell>& track,
                                 const DocumentOptions& options,
                                 std::vector<CheckFinding>& findings) {
  const std::vector<Station> stations = stations_in_line_order(scenario);
  if (stations.size() < 2) return {};
  std::vector<PlacedRow> rows = placed_rows(scenario, stations, track);
  time_placed_rows(rows, scenario, track, start_time(scenario, stations.front()), options);
  tell_rows(scenario, rows, findings);
  std::vector<SheetRow> out;
  for (PlacedRow& p : rows) out.push_back(std::move(p.row));
  return out;
}

}  // namespace scenario::tool
