#include "scenario_tool/diff/diff_report.h"

#include "scenario_tool/diff/changes.h"
#include "scenario_tool/inspect/report.h"

namespace scenario::tool {

namespace {

bool lines_differ(const LoadedScenario& before, const LoadedScenario& after) {
  return before.line.has_value() != after.line.has_value() ||
         (before.line && (before.line->tags() != after.line->tags() ||
                          before.line->numbers() != after.line->numbers()));
}

std::int64_t listed_changes(const Diff& d) {
  const std::size_t n = d.identifiers.size() + d.general.size() + d.stations.size() +
                        d.signboards.size() + d.features.size() + d.stretches.size() +
                        d.approach_codes.size();
  return static_cast<std::int64_t>(n) + (d.geometry && !d.geometry->same ? 1 : 0);
}

// Which files hold bytes that no group explains. Every decoded value is covered by a group, so
// this stays empty; it is kept so that a gap in the comparison can never pass for "the same".
std::vector<std::string> unexplained(const LoadedScenario& before, const LoadedScenario& after,
                                     const Diff& d) {
  if (listed_changes(d) > 0) return {};
  std::vector<std::string> out;
  if (before.track != after.track) out.push_back("track");
  if (before.table != after.table) out.push_back("table");
  if (lines_differ(before, after)) out.push_back("line");
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
  Diff d{
      {},
      identifier_changes(a, b),
      general_changes(a, b),
      station_changes(old_scenario.stations, new_scenario.stations),
      signboard_changes(old_scenario.signs, new_scenario.signs),
      feature_changes(old_scenario.features, new_scenario.features),
      stretch_changes(old_track, new_track),
      approach_code_changes(old_track, new_track),
      geometry_changes(before.line ? &*before.line : nullptr, after.line ? &*after.line : nullptr),
      {},
      0};
  d.unexplained = unexplained(before, after, d);
  d.difference_count = listed_changes(d) + static_cast<std::int64_t>(d.unexplained.size());
  d.json = Json{{"version", diff_version},
                {"same", d.same()},
                {"difference_count", d.difference_count},
                {"identifiers", value_changes_json(d.identifiers)},
                {"general", value_changes_json(d.general)},
                {"stations", station_changes_json(d.stations)},
                {"signboards", signboard_changes_json(d.signboards)},
                {"features", feature_changes_json(d.features)},
                {"stretches", stretch_changes_json(d.stretches)},
                {"approach_codes", approach_code_changes_json(d.approach_codes)},
                {"line_geometry", geometry_changes_json(d.geometry)},
                {"unexplained", d.unexplained}};
  return d;
}

}  // namespace scenario::tool
