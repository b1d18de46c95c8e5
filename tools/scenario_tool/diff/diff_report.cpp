#include "scenario_tool/diff/diff_report.h"

#include "scenario_tool/diff/changes.h"
#include "scenario_tool/inspect/report.h"

namespace scenario::tool {

namespace {

constexpr const char* kListGroups[] = {"identifiers", "general",   "stations",       "signboards",
                                       "features",    "stretches", "approach_codes", "unexplained"};

// Which files hold bytes that no group explains. Every decoded value is covered by a group, so
// this stays empty; it is kept so that a gap in the comparison can never pass for "the same".
Json unexplained(const LoadedScenario& before, const LoadedScenario& after, const Json& diff) {
  for (const char* group : kListGroups) {
    if (diff.contains(group) && !diff.at(group).empty()) return Json::array();
  }
  if (!diff.at("line_geometry").is_null() && !diff.at("line_geometry").at("same").get<bool>()) {
    return Json::array();
  }
  Json out = Json::array();
  if (before.track != after.track) out.push_back("track");
  if (before.table != after.table) out.push_back("table");
  if (before.line.has_value() != after.line.has_value() ||
      (before.line && (before.line->tags() != after.line->tags() ||
                       before.line->numbers() != after.line->numbers()))) {
    out.push_back("line");
  }
  return out;
}

}  // namespace

Diff build_diff(const OpenedScenario& old_side, const OpenedScenario& new_side) {
  const LoadedScenario& before = old_side.loaded;
  const LoadedScenario& after = new_side.loaded;
  const Scenario& old_scenario = old_side.scenario;
  const Scenario& new_scenario = new_side.scenario;
  const InspectReport a = inspect_report(before, old_scenario, true);
  const InspectReport b = inspect_report(after, new_scenario, true);
  static const std::vector<TrackCell> no_track;
  const auto& old_track = before.track ? *before.track : no_track;
  const auto& new_track = after.track ? *after.track : no_track;
  Diff d{{},
         identifier_changes(a, b),
         general_changes(a, b),
         station_changes(old_scenario.stations, new_scenario.stations),
         signboard_changes(old_scenario.signs, new_scenario.signs),
         feature_changes(old_scenario.features, new_scenario.features),
         stretch_changes(old_track, new_track),
         approach_code_changes(old_track, new_track)};
  Json diff{{"version", diff_version},
            {"same", false},
            {"difference_count", 0},
            {"identifiers", value_changes_json(d.identifiers)},
            {"general", value_changes_json(d.general)},
            {"stations", station_changes_json(d.stations)},
            {"signboards", signboard_changes_json(d.signboards)},
            {"features", feature_changes_json(d.features)},
            {"stretches", stretch_changes_json(d.stretches)},
            {"approach_codes", approach_code_changes_json(d.approach_codes)},
            {"line_geometry", geometry_changes(before.line ? &*before.line : nullptr,
                                               after.line ? &*after.line : nullptr)}};
  diff["unexplained"] = unexplained(before, after, diff);
  diff["difference_count"] = difference_count(diff);
  diff["same"] = diff["difference_count"].get<std::int64_t>() == 0;
  d.json = std::move(diff);
  return d;
}

std::int64_t difference_count(const Json& diff) {
  std::int64_t n = 0;
  for (const char* group : kListGroups) {
    if (diff.contains(group)) n += static_cast<std::int64_t>(diff.at(group).size());
  }
  const Json& g = diff.at("line_geometry");
  if (!g.is_null() && !g.at("same").get<bool>()) ++n;
  return n;
}

}  // namespace scenario::tool
