#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "scenario_tool/diff/changes.h"
#include "scenario_tool/inspect/report.h"
#include "scenario_tool/scenario/table_views.h"

namespace scenario::tool {

namespace {

// The columns of a station compared, as `inspect` names them. The entry number is left out: it
// shifts for every station after one added or removed. The stop cell is a feature of the track.
std::vector<std::pair<const char*, Json>> station_columns(const Station& s) {
  const SimRecord& r = s.record;
  return {{"type", s.type},
          {"position_m", s.position_m},
          {"zone_start_m", s.zone_start_m},
          {"zone_end_m", s.zone_end_m},
          {"time", time_of_day_text(s.time_s)},
          {"tps", r.tps},
          {"tab", r.tab},
          {"mar", r.mar},
          {"rap", r.rap},
          {"ac", r.ac},
          {"d2a", r.d2a},
          {"d3a", r.d3a},
          {"d1b", r.d1b},
          {"d2b", r.d2b},
          {"d3b", r.d3b}};
}

// Items keyed by their name, the second of a name keyed apart from the first: "NAME#2".
template <class T, class Name>
std::map<std::string, const T*> by_name(const std::vector<T>& items, Name name_of) {
  std::map<std::string, const T*> out;
  std::map<std::string, int> seen;
  for (const T& item : items) {
    const std::string name = name_of(item);
    const int n = ++seen[name];
    out.emplace(n == 1 ? name : name + "#" + std::to_string(n), &item);
  }
  return out;
}

Json station_columns_changed(const Station& before, const Station& after) {
  Json out = Json::array();
  const auto old_columns = station_columns(before);
  const auto new_columns = station_columns(after);
  for (std::size_t i = 0; i < old_columns.size(); ++i) {
    if (old_columns[i].second != new_columns[i].second) {
      out.push_back(Json{{"column", old_columns[i].first},
                         {"old", old_columns[i].second},
                         {"new", new_columns[i].second}});
    }
  }
  return out;
}

using Stations = std::map<std::string, const Station*>;

// The names both sides have, in the order of their entries on `side`.
Json common_names_in_order(const Stations& side, const Stations& other) {
  std::vector<std::pair<std::int64_t, std::string>> names;
  for (const auto& [key, item] : side) {
    if (other.contains(key)) names.emplace_back(item->entry, key);
  }
  std::sort(names.begin(), names.end());
  Json keys = Json::array();
  for (const auto& name : names) keys.push_back(name.second);
  return keys;
}

// The stations both sides have, taken in another order, are a difference of their own.
Json order_change(const Stations& before, const Stations& after) {
  Json old_order = common_names_in_order(before, after);
  Json new_order = common_names_in_order(after, before);
  if (old_order == new_order) return nullptr;
  return Json{{"change", "reordered"},
              {"name", nullptr},
              {"position_m", nullptr},
              {"old", std::move(old_order)},
              {"new", std::move(new_order)}};
}

Json station_item(const char* change, const Station& station) {
  return Json{{"change", change},
              {"name", station.name},
              {"position_m", station.position_m},
              {"station", station_json(station)}};
}

// Items with the position they are put in order by.
using Placed = std::vector<std::pair<std::int64_t, Json>>;

Json in_order(Placed items) {
  std::stable_sort(items.begin(), items.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  Json out = Json::array();
  for (auto& item : items) out.push_back(std::move(item.second));
  return out;
}

}  // namespace

Json station_changes(const std::vector<Station>& old_stations,
                     const std::vector<Station>& new_stations) {
  const auto name = [](const Station& s) { return s.name; };
  const Stations before = by_name(old_stations, name);
  const Stations after = by_name(new_stations, name);
  Placed items;
  for (const auto& [key, station] : before) {
    const auto match = after.find(key);
    if (match == after.end()) {
      items.emplace_back(station->position_m, station_item("removed", *station));
      continue;
    }
    Json columns = station_columns_changed(*station, *match->second);
    if (!columns.empty()) {
      items.emplace_back(match->second->position_m, Json{{"change", "changed"},
                                                         {"name", station->name},
                                                         {"position_m", match->second->position_m},
                                                         {"columns", std::move(columns)}});
    }
  }
  for (const auto& [key, station] : after) {
    if (!before.contains(key)) {
      items.emplace_back(station->position_m, station_item("added", *station));
    }
  }
  Json out = in_order(std::move(items));
  Json order = order_change(before, after);
  if (!order.is_null()) out.push_back(std::move(order));
  return out;
}

Json signboard_changes(const std::vector<Sign>& old_signs, const std::vector<Sign>& new_signs) {
  const auto text = [](const Sign& s) { return s.text; };
  const auto before = by_name(old_signs, text);
  const auto after = by_name(new_signs, text);
  Placed items;
  auto add = [&items](const char* change, const Sign& sign) {
    // Signboards without a cell go last.
    items.emplace_back(sign.position_m.value_or(std::numeric_limits<std::int64_t>::max()),
                       Json{{"change", change},
                            {"text", sign.text},
                            {"metres", sign.position_m ? Json(*sign.position_m) : Json()}});
  };
  for (const auto& [key, sign] : before) {
    if (!after.contains(key)) add("removed", *sign);
  }
  for (const auto& [key, sign] : after) {
    if (!before.contains(key)) add("added", *sign);
  }
  return in_order(std::move(items));
}

}  // namespace scenario::tool
