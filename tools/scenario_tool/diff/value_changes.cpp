#include <array>
#include <utility>

#include "scenario_tool/diff/changes.h"

namespace scenario::tool {

namespace {

using Item = std::pair<const char*, const char*>;  // label, JSON pointer into the report

// The value at `pointer`, null where the report has none (a part from a file not decoded).
Json at(const Json& report, const char* pointer) {
  const Json::json_pointer p(pointer);
  return report.contains(p) ? report.at(p) : Json();
}

template <std::size_t N>
Json changes(const std::array<Item, N>& items, const Json& old_report, const Json& new_report) {
  Json out = Json::array();
  for (const auto& [label, pointer] : items) {
    Json before = at(old_report, pointer);
    Json after = at(new_report, pointer);
    if (before != after) {
      out.push_back(Json{{"item", label}, {"old", std::move(before)}, {"new", std::move(after)}});
    }
  }
  return out;
}

constexpr std::array<Item, 6> kIdentifiers{{
    {"route id", "/identifiers/route_id"},
    {"train number", "/identifiers/train_number"},
    {"header value of track cell 1", "/header/track_cell_1/value"},
    {"header value of table entry 85", "/header/table_entry_85/value"},
    {"competition code st", "/competition_codes/st/stored"},
    {"competition code og", "/competition_codes/og/stored"},
}};

constexpr std::array<Item, 21> kGeneral{{
    {"route length (m)", "/route/length_m"},
    {"cells", "/route/cell_count"},
    {"kilometre point 81 start (m)", "/kilometre_points/0/start_m"},
    {"kilometre point 81 end (m)", "/kilometre_points/0/end_m"},
    {"kilometre point 81 position (m)", "/kilometre_points/0/pos_m"},
    {"kilometre point 82 start (m)", "/kilometre_points/1/start_m"},
    {"kilometre point 82 end (m)", "/kilometre_points/1/end_m"},
    {"kilometre point 82 position (m)", "/kilometre_points/1/pos_m"},
    {"kilometre point 83 start (m)", "/kilometre_points/2/start_m"},
    {"kilometre point 83 end (m)", "/kilometre_points/2/end_m"},
    {"kilometre point 83 position (m)", "/kilometre_points/2/pos_m"},
    {"background one", "/backgrounds/one"},
    {"background two", "/backgrounds/two"},
    {"background three", "/backgrounds/three"},
    {"code repetition start (m)", "/code_repetition/start_m"},
    {"code repetition end (m)", "/code_repetition/end_m"},
    {"code repetition codes", "/code_repetition/code_count"},
    {"clock", "/clock/text"},
    {"sand", "/sand"},
    {"braked mass (%)", "/train/braked_mass_percent"},
    {"coaches", "/train/coaches"},
}};

}  // namespace

Json identifier_changes(const Json& old_report, const Json& new_report) {
  return changes(kIdentifiers, old_report, new_report);
}

Json general_changes(const Json& old_report, const Json& new_report) {
  return changes(kGeneral, old_report, new_report);
}

}  // namespace scenario::tool
