// The features that live in the table: stations (entries 1 up) and sign texts (entries 80 down),
// with the signboard cells of the track that point at the sign texts.
#include <algorithm>
#include <map>
#include <string>

#include "scenario_tool/decompile/recover_parts.h"
#include "scenario_tool/scenario/position_text.h"

namespace scenario::tool {

namespace {

constexpr std::int32_t kShortZoneReach = 150;
constexpr std::int32_t kFarEndExtra = 50;
constexpr std::int32_t kLongStation = 600;
constexpr std::int32_t kStationLengthStep = 100;
constexpr std::int32_t kSecondsPerHour = 3600;
constexpr std::int32_t kSecondsPerMinute = 60;

bool numbers_zero(const SimRecord& r) {
  SimRecord numbers = r;
  numbers.name.clear();
  return numbers == SimRecord{};
}

std::string entry_name(std::size_t entry) { return "table entry " + std::to_string(entry); }

// A text value runs to the next comma or line end, without its leading spaces.
void check_text(const std::string& text, const std::string& where, RecoveredScenario& out) {
  if (text.find_first_of(",\r\n") != std::string::npos) {
    out.unexpressible.push_back(where + " holds a comma or a line break, which ends a text value");
  } else if (text.starts_with(' ')) {
    out.unexpressible.push_back(where + " begins with a space, which the reader drops");
  }
}

// The station length and the mar flag as read, from the zone that the reader derived from them.
void recover_zone(const SimRecord& r, std::size_t j, StationRecord& s, RecoveredScenario& out) {
  const std::string where = entry_name(j) + " (station " + std::to_string(j) + ")";
  bool fits = true;
  switch (r.kind) {
    case 5:
    case 6:
      s.length = r.pos_m - r.start_m;
      fits = r.end_m == r.pos_m + kShortZoneReach && r.mar == 0;
      break;
    case 7:
    case 8:
      s.length = r.pos_m - r.start_m;
      fits = r.end_m == r.pos_m + s.length && r.mar == 0;
      break;
    default: {
      s.length = 2 * (r.pos_m - r.start_m);
      const std::int64_t extra = std::int64_t{r.end_m} - r.pos_m - s.length / 2;
      // The first station's mar widens its zone and is then cleared.
      s.mar = j == table_entry::first_station ? (extra == kFarEndExtra ? 1 : 0) : r.mar;
      fits = extra == (s.mar != 0 ? kFarEndExtra : 0) &&
             (j != table_entry::first_station || r.mar == 0);
      break;
    }
  }
  if (!fits) {
    out.unexpressible.push_back(where + ": its zone " + km_position(r.start_m) + " to " +
                                km_position(r.end_m) + " and mar " + std::to_string(r.mar) +
                                " are not what any length gives a station of type " +
                                std::to_string(r.kind) + " at " + km_position(r.pos_m));
  }
  if (s.length % kStationLengthStep != 0) {
    out.unexpressible.push_back(where + ": its zone gives a length of " + std::to_string(s.length) +
                                " m, not a multiple of 100");
  }
  if (r.tab != 0 && (s.length < kLongStation || j == table_entry::first_station)) {
    out.unexpressible.push_back(where + ": tab " + std::to_string(r.tab) +
                                " is cleared by the reader for this station");
  }
}

StationRecord recover_station(const SimRecord& r, std::size_t j, RecoveredScenario& out) {
  StationRecord s{.position = r.pos_m,
                  .tipo = r.kind,
                  .tps = r.tps,
                  .tab = r.tab,
                  .d2a = r.d2a,
                  .d3a = r.d3a,
                  .rap = r.rap,
                  .d1b = r.d1b,
                  .d2b = r.d2b,
                  .d3b = r.d3b,
                  .ac = r.ac,
                  .name = r.name};
  recover_zone(r, j, s, out);
  if (r.time_s >= 0) {
    s.hours = r.time_s / kSecondsPerHour;
    s.minutes = r.time_s % kSecondsPerHour / kSecondsPerMinute;
    s.seconds = r.time_s % kSecondsPerMinute;
  } else {
    s.seconds = r.time_s;
  }
  check_text(r.name, entry_name(j) + " (a station name)", out);
  return s;
}

// The last station entry: every entry up to it was filled by a station record.
std::size_t last_station(const SimTable& table) {
  std::size_t last = 0;
  for (std::size_t j = table_entry::first_station; j < table_entry::first_sign; ++j) {
    if (!numbers_zero(table[j])) last = j;
  }
  return last;
}

void recover_signs(const std::vector<TrackCell>& track, const SimTable& table, std::size_t stations,
                   RecoveredScenario& out) {
  std::map<std::int64_t, std::vector<std::int64_t>> cells_of;  // entry -> its signboard cells
  std::vector<std::int64_t> stops;
  for (std::size_t c = 0; c < track.size(); ++c) {
    if (track[c].kind == cell_kind::signboard) cells_of[track[c].value1].push_back(c);
    if (track[c].kind == cell_kind::station_stop) stops.push_back(static_cast<std::int64_t>(c));
  }
  auto lowest = static_cast<std::int64_t>(table_entry::first_sign) + 1;
  for (const auto& [entry, cells] : cells_of) {
    if (entry <= static_cast<std::int64_t>(stations) || entry > table_entry::first_sign) {
      out.unexpressible.push_back("track cell " + std::to_string(cells.front()) +
                                  " is a signboard of table entry " + std::to_string(entry) +
                                  ", which no sign text can take");
    } else {
      lowest = std::min(lowest, entry);
    }
  }
  for (std::size_t e = stations + 1; e <= table_entry::first_sign; ++e) {
    if (!table[e].name.empty()) lowest = std::min(lowest, static_cast<std::int64_t>(e));
  }
  std::size_t next_stop = 0;
  for (std::int64_t e = table_entry::first_sign; e >= lowest; --e) {
    const SimRecord& r = table[static_cast<std::size_t>(e)];
    const std::string where = entry_name(static_cast<std::size_t>(e)) + " (a sign text)";
    if (!numbers_zero(r)) out.unexpressible.push_back(where + " holds numbers besides its text");
    check_text(r.name, where, out);
    const auto found = cells_of.find(e);
    std::int64_t cell = 0;
    if (found != cells_of.end()) {
      cell = found->second.front();
      if (found->second.size() > 1) {
        out.unexpressible.push_back(where + " has " + std::to_string(found->second.size()) +
                                    " signboard cells; a sign record places one");
      }
    } else if (next_stop < stops.size()) {
      // A station stop, written later without a look, covers the sign's cell.
      cell = stops[next_stop++];
    } else {
      out.unexpressible.push_back(where + " has no signboard cell");
      continue;
    }
    out.signs.push_back({point_position(cell), r.name});
  }
  for (std::int64_t e = static_cast<std::int64_t>(stations) + 1; e < lowest; ++e) {
    if (!(table[static_cast<std::size_t>(e)] == SimRecord{})) {
      out.unexpressible.push_back(entry_name(static_cast<std::size_t>(e)) +
                                  " lies between the stations and the sign texts and is not empty");
    }
  }
}

}  // namespace

void recover_table_features(const std::vector<TrackCell>& track, const SimTable& table,
                            RecoveredScenario& out) {
  if (!(table[0] == SimRecord{})) out.unexpressible.push_back("table entry 0 is not empty");
  const std::size_t stations = last_station(table);
  for (std::size_t j = table_entry::first_station; j <= stations; ++j) {
    out.stations.push_back(recover_station(table[j], j, out));
  }
  recover_signs(track, table, stations, out);
}

}  // namespace scenario::tool
