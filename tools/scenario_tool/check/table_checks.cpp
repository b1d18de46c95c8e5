#include "scenario_tool/check/table_checks.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <set>
#include <string>

#include "format/cell_values.h"
#include "format/constants.h"
#include "scenario_tool/scenario/position_text.h"
#include "scenario_tool/scenario/table_views.h"

namespace scenario::tool {

namespace {

std::int64_t start_of(std::size_t cell) { return static_cast<std::int64_t>(cell) * cell_metres; }

// The cells where the line speed limit changes, with the limit from there on.
struct LimitRun {
  std::size_t first_cell;
  int limit_kmh;
};

std::vector<LimitRun> limit_runs(const std::vector<TrackCell>& track) {
  std::vector<LimitRun> runs;
  for (std::size_t c = 0; c < track.size(); ++c) {
    const int v = speed_limit_kmh(track[c]);
    if (runs.empty() || runs.back().limit_kmh != v) runs.push_back({c, v});
  }
  return runs;
}

// The limit at `cell`, then the first different limit after it, other than the 0 at the end.
std::vector<int> limits_in_force(const std::vector<LimitRun>& runs, std::size_t cell,
                                 std::int64_t& next_at) {
  auto run = std::upper_bound(runs.begin(), runs.end(), cell,
                              [](std::size_t c, const LimitRun& r) { return c < r.first_cell; });
  const int here = std::prev(run)->limit_kmh;
  for (; run != runs.end(); ++run) {
    if (run->limit_kmh != here && run->limit_kmh != 0) {
      next_at = start_of(run->first_cell);
      return {here, run->limit_kmh};
    }
  }
  return {here};
}

std::string board_speeds(const BoardValues& b) {
  const std::array<std::pair<const char*, std::pair<int, int>>, 3> categories{{
      {"a", {b.vas, b.vad}},
      {"b", {b.vbs, b.vbd}},
      {"c", {b.vcs, b.vcd}},
  }};
  std::string text;
  for (const auto& [name, speeds] : categories) {
    if (!text.empty()) text += ", ";
    text += std::string(name) + " " + std::to_string(speeds.first) + "/" +
            std::to_string(speeds.second);
  }
  return text + " km/h";
}

void check_board(const std::vector<TrackCell>& track, const std::vector<LimitRun>& runs,
                 std::size_t cell, std::vector<CheckFinding>& findings) {
  const BoardValues b = unpack_board(track[cell]);
  const std::set<int> shown{b.vas, b.vbs, b.vcs, b.vad, b.vbd, b.vcd};
  std::int64_t next_at = 0;
  const std::vector<int> limits = limits_in_force(runs, cell, next_at);
  for (int limit : limits) {
    if (limit != 0 && shown.contains(limit)) return;
  }
  std::string in_force = std::to_string(limits[0]) + " km/h at the board";
  if (limits.size() > 1) {
    in_force += ", " + std::to_string(limits[1]) + " km/h from " + km_position(next_at);
  }
  findings.push_back({start_of(cell), Severity::warning, check_id::speed_board, FileRole::track,
                      "speed board of " + board_speeds(b) +
                          " (left/right) shows none of the line speed limits in force after it (" +
                          in_force + ")"});
}

void check_stop(const TrackCell& cell, std::size_t index, const SimTable& table,
                const std::vector<int>& stations, std::vector<CheckFinding>& findings) {
  const std::int64_t start = start_of(index);
  const int entry = cell.value1;
  if (std::find(stations.begin(), stations.end(), entry) == stations.end()) {
    findings.push_back({start, Severity::warning, check_id::stop_cell, FileRole::track,
                        "stop cell " + std::to_string(index) + " refers to table entry " +
                            std::to_string(entry) + ", which holds no station"});
    return;
  }
  const SimRecord& s = table[static_cast<std::size_t>(entry)];
  if (start >= s.start_m && start + cell_metres <= s.end_m) return;
  findings.push_back({start, Severity::warning, check_id::stop_cell, FileRole::track,
                      "stop cell " + std::to_string(index) + " of " + s.name + " (entry " +
                          std::to_string(entry) + ") covers " + km_position(start) + " to " +
                          km_position(start + cell_metres) + ", outside its zone " +
                          km_position(s.start_m) + " to " + km_position(s.end_m)});
}

}  // namespace

void check_speed_boards(const std::vector<TrackCell>& track, std::vector<CheckFinding>& findings) {
  const std::vector<LimitRun> runs = limit_runs(track);
  for (std::size_t c = 0; c < track.size(); ++c) {
    if (track[c].kind == cell_kind::speed_board) check_board(track, runs, c, findings);
  }
}

void check_stop_cells(const std::vector<TrackCell>& track, const SimTable& table,
                      std::vector<CheckFinding>& findings) {
  const std::vector<int> stations = station_entries(table);
  for (std::size_t c = 0; c < track.size(); ++c) {
    if (track[c].kind == cell_kind::station_stop)
      check_stop(track[c], c, table, stations, findings);
  }
}

void check_sign_entries(const std::vector<TrackCell>& track, const SimTable& table,
                        std::vector<CheckFinding>& findings) {
  std::set<int> shown;
  for (const TrackCell& cell : track) {
    if (cell.kind == cell_kind::signboard) shown.insert(cell.value1);
  }
  for (int e : sign_entries(table)) {
    if (shown.contains(e)) continue;
    findings.push_back({std::nullopt, Severity::warning, check_id::signboard, FileRole::table,
                        "table entry " + std::to_string(e) + " holds the sign text \"" +
                            table[static_cast<std::size_t>(e)].name +
                            "\", but no signboard cell refers to it"});
  }
}

}  // namespace scenario::tool
