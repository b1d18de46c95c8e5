#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "scenario_tool/diff/changes.h"

namespace scenario::tool {

namespace {

// The columns of a station compared, as `inspect` names them. The entry number is left out: it
// shifts for every station after one added or removed. The stop cell is a feature of the track.
constexpr const char* kStationColumns[] = {
    "type", "position_m", "zone_start_m", "zone_end_m", "time", "tps", "tab", "mar",
    "rap",  "ac",         "d2a",          "d3a",        "d1b",  "d2b", "d3b"};

// Items keyed by their name, the second of a name keyed apart from the first: "NAME#2".
std::map<std::string, const Json*> by_name(const Json& items, const char* key) {
  std::map<std::string, const Json*> out;
  std::map<std::string, int> seen;
  if (!items.is_array()) return out;
  for (const Json& item : items) {
    const std::string name = item.at(key).get<std::string>();
    const int n = ++seen[name];
    out.emplace(n == 1 ? name : name + "#" + std::to_string(n), &item);
  }
  return out;
}

Json station_columns_changed(const Json& before, const Json& after) {
  Json out = Json::array();
  for (const char* column : kStationColumns) {
    if (before.at(column) != after.at(column)) {
      out.push_back(
          Json{{"column", column}, {"old", before.at(column)}, {"new", after.at(column)}});
    }
  }
  return out;
}

// The names both sides have, in the order of their entries on `side`.
Json common_names_in_order(const std::map<std::string, const Json*>& side,
                           const std::map<std::string, const Json*>& other) {
  std::vector<std::pair<std::int64_t, std::string>> names;
  for (const auto& [key, item] : side) {
    if (other.contains(key)) names.emplace_back(item->at("entry").get<std::int64_t>(), key);
  }
  std::sort(names.begin(), names.end());
  Json keys = Json::array();
  for (const auto& name : names) keys.push_back(name.second);
  return keys;
}

// The stations both sides have, taken in another order, are a difference of their own.
Json order_change(const std::map<std::string, const Json*>& before,
                  const std::map<std::string, const Json*>& after) {
  Json old_order = common_names_in_order(before, after);
  Json new_order = common_names_in_order(after, before);
  if (old_order == new_order) return nullptr;
  return Json{{"change", "reordered"},
              {"name", nullptr},
              {"position_m", nullptr},
              {"old", std::move(old_order)},
              {"new", std::move(new_order)}};
}

Json station_item(const char* change, const Json& station) {
  return Json{{"change", change},
              {"name", station.at("name")},
              {"position_m", station.at("position_m")},
              {"station", station}};
}

}  // namespace

Json station_changes(const Json& old_stations, const Json& new_stations) {
  const auto before = by_name(old_stations, "name");
  const auto after = by_name(new_stations, "name");
  Json out = Json::array();
  for (const auto& [key, station] : before) {
    const auto match = after.find(key);
    if (match == after.end()) {
      out.push_back(station_item("removed", *station));
      continue;
    }
    Json columns = station_columns_changed(*station, *match->second);
    if (!columns.empty()) {
      out.push_back(Json{{"change", "changed"},
                         {"name", station->at("name")},
                         {"position_m", match->second->at("position_m")},
                         {"columns", std::move(columns)}});
    }
  }
  for (const auto& [key, station] : after) {
    if (!before.contains(key)) out.push_back(station_item("added", *station));
  }
  std::stable_sort(out.begin(), out.end(), [](const Json& a, const Json& b) {
    return a.at("position_m").get<std::int64_t>() < b.at("position_m").get<std::int64_t>();
  });
  Json order = order_change(before, after);
  if (!order.is_null()) out.push_back(std::move(order));
  return out;
}

Json signboard_changes(const Json& old_signs, const Json& new_signs) {
  const auto before = by_name(old_signs, "text");
  const auto after = by_name(new_signs, "text");
  Json out = Json::array();
  auto add = [&out](const char* change, const Json& sign) {
    out.push_back(
        Json{{"change", change}, {"text", sign.at("text")}, {"metres", sign.at("metres")}});
  };
  for (const auto& [key, sign] : before) {
    if (!after.contains(key)) add("removed", *sign);
  }
  for (const auto& [key, sign] : after) {
    if (!before.contains(key)) add("added", *sign);
  }
  // Signboards without a cell (null metres) go last.
  std::stable_sort(out.begin(), out.end(), [](const Json& a, const Json& b) {
    const auto m = [](const Json& s) {
      return s.at("metres").is_null() ? std::numeric_limits<std::int64_t>::max()
                                      : s.at("metres").get<std::int64_t>();
    };
    return m(a) < m(b);
  });
  return out;
}

}  // namespace scenario::tool
