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
std::vector<std::pair<const char*, Value>> station_columns(const Station& s) {
  std::vector<std::pair<const char*, Value>> out{{"type", s.type},
                                                 {"position_m", s.position_m},
                                                 {"zone_start_m", s.zone_start_m},
                                                 {"zone_end_m", s.zone_end_m},
                                                 {"time", time_of_day_text(s.time_s)}};
  for (const auto& [name, value] : record_columns(s.record)) out.emplace_back(name, value);
  return out;
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

std::vector<StationChange::Column> station_columns_changed(const Station& before,
                                                           const Station& after) {
  std::vector<StationChange::Column> out;
  const auto old_columns = station_columns(before);
  const auto new_columns = station_columns(after);
  for (std::size_t i = 0; i < old_columns.size(); ++i) {
    if (old_columns[i].second != new_columns[i].second) {
      out.push_back({old_columns[i].first, old_columns[i].second, new_columns[i].second});
    }
  }
  return out;
}

using Stations = std::map<std::string, const Station*>;

// The names both sides have, in the order of their entries on `side`.
std::vector<std::string> common_names_in_order(const Stations& side, const Stations& other) {
  std::vector<std::pair<std::int64_t, std::string>> names;
  for (const auto& [key, item] : side) {
    if (other.contains(key)) names.emplace_back(item->entry, key);
  }
  std::sort(names.begin(), names.end());
  std::vector<std::string> keys;
  for (const auto& name : names) keys.push_back(name.second);
  return keys;
}

Json names_json(const std::vector<std::string>& names) {
  Json out = Json::array();
  for (const std::string& n : names) out.push_back(n);
  return out;
}

Json column_json(const StationChange::Column& c) {
  return Json{
      {"column", c.column}, {"old", value_json(c.old_value)}, {"new", value_json(c.new_value)}};
}

Json station_change_json(const StationChange& c) {
  switch (c.what) {
    case StationChange::What::reordered:
      return Json{{"change", "reordered"},
                  {"name", nullptr},
                  {"position_m", nullptr},
                  {"old", names_json(c.old_order)},
                  {"new", names_json(c.new_order)}};
    case StationChange::What::changed: {
      Json columns = Json::array();
      for (const StationChange::Column& col : c.columns) columns.push_back(column_json(col));
      return Json{{"change", "changed"},
                  {"name", c.station->name},
                  {"position_m", c.position_m},
                  {"columns", std::move(columns)}};
    }
    case StationChange::What::removed:
    case StationChange::What::added:
      break;
  }
  return Json{{"change", c.what == StationChange::What::added ? "added" : "removed"},
              {"name", c.station->name},
              {"position_m", c.position_m},
              {"station", station_json(*c.station)}};
}

}  // namespace

std::vector<StationChange> station_changes(const std::vector<Station>& old_stations,
                                           const std::vector<Station>& new_stations) {
  const auto name = [](const Station& s) { return s.name; };
  const Stations before = by_name(old_stations, name);
  const Stations after = by_name(new_stations, name);
  using What = StationChange::What;
  std::vector<StationChange> out;
  for (const auto& [key, station] : before) {
    const auto match = after.find(key);
    if (match == after.end()) {
      out.push_back({What::removed, *station, station->position_m, {}, {}, {}});
      continue;
    }
    auto columns = station_columns_changed(*station, *match->second);
    if (!columns.empty()) {
      out.push_back(
          {What::changed, *station, match->second->position_m, std::move(columns), {}, {}});
    }
  }
  for (const auto& [key, station] : after) {
    if (!before.contains(key))
      out.push_back({What::added, *station, station->position_m, {}, {}, {}});
  }
  std::stable_sort(out.begin(), out.end(), [](const StationChange& a, const StationChange& b) {
    return a.position_m < b.position_m;
  });
  // The stations both sides have, taken in another order, are a difference of their own.
  std::vector<std::string> old_order = common_names_in_order(before, after);
  std::vector<std::string> new_order = common_names_in_order(after, before);
  if (old_order != new_order) {
    out.push_back(
        {What::reordered, std::nullopt, 0, {}, std::move(old_order), std::move(new_order)});
  }
  return out;
}

Json station_changes_json(const std::vector<StationChange>& changes) {
  Json out = Json::array();
  for (const StationChange& c : changes) out.push_back(station_change_json(c));
  return out;
}

std::vector<SignChange> signboard_changes(const std::vector<Sign>& old_signs,
                                          const std::vector<Sign>& new_signs) {
  const auto text = [](const Sign& s) { return s.text; };
  const auto before = by_name(old_signs, text);
  const auto after = by_name(new_signs, text);
  std::vector<SignChange> out;
  for (const auto& [key, sign] : before) {
    if (!after.contains(key)) out.push_back({false, *sign});
  }
  for (const auto& [key, sign] : after) {
    if (!before.contains(key)) out.push_back({true, *sign});
  }
  // Signboards without a cell go last.
  const auto at = [](const SignChange& c) {
    return c.sign.position_m.value_or(std::numeric_limits<std::int64_t>::max());
  };
  std::stable_sort(out.begin(), out.end(),
                   [&](const SignChange& a, const SignChange& b) { return at(a) < at(b); });
  return out;
}

Json signboard_changes_json(const std::vector<SignChange>& changes) {
  Json out = Json::array();
  for (const SignChange& c : changes) {
    const std::optional<std::int64_t>& m = c.sign.position_m;
    out.push_back(Json{{"change", c.added ? "added" : "removed"},
                       {"text", c.sign.text},
                       {"metres", m ? Json(*m) : Json()}});
  }
  return out;
}

}  // namespace scenario::tool
