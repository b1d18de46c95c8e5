#include "scenario_tool/inspect/report.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "compiler/codice_gara.h"
#include "scenario_tool/scenario/consistency.h"
#include "scenario_tool/scenario/curve_views.h"
#include "scenario_tool/scenario/table_views.h"
#include "scenario_tool/scenario/track_views.h"

namespace scenario::tool {

namespace {

const SimRecord& entry(const SimTable& table, int e) { return table[static_cast<std::size_t>(e)]; }

// Cell 1 doubles as the header of the track; a track of one cell has none.
const TrackCell* header_cell(const LoadedScenario& s) {
  return s.track && s.track->size() > 1 ? &(*s.track)[1] : nullptr;
}

Json file_json(const FileOutcome& o) {
  Json j{{"path", o.path ? Json(*o.path) : Json()},
         {"required", o.required},
         {"status", state_name(o.state)},
         {"bytes", o.size ? Json(*o.size) : Json()},
         {"error", nullptr}};
  if (o.error) j["error"] = Json{{"offset", o.error->offset}, {"message", o.error->message}};
  if (o.state == FileState::unreadable) {
    j["error"] = Json{{"offset", nullptr}, {"message", o.reason}};
  }
  return j;
}

Json files_json(const LoadedScenario& s) {
  Json j = Json::object();
  for (FileRole role : all_roles) j[role_name(role)] = file_json(s.outcome(role));
  return j;
}

Json check(std::int64_t value, std::int64_t expected) {
  return Json{{"value", value}, {"expected", expected}, {"ok", value == expected}};
}

Json header_json(const LoadedScenario& s) {
  const TrackCell* cell = header_cell(s);
  return Json{
      {"track_cell_1", cell ? check(cell->value1, track_header_value) : Json()},
      {"table_entry_85",
       s.table ? check(entry(*s.table, table_entry::route).d2a, table_header_value) : Json()}};
}

// The expected code is null when there is no table to compute it from.
Json code_json(std::int64_t stored, const Json& expected) {
  return Json{
      {"stored", stored},
      {"expected", expected},
      {"match", expected.is_null() ? Json() : Json(expected.get<std::int64_t>() == stored)}};
}

Json codes_json(const LoadedScenario& s) {
  Json st;
  Json og;
  if (s.table) st = code_json(entry(*s.table, table_entry::route).time_s, codice_gara_st(*s.table));
  if (const TrackCell* cell = header_cell(s)) {
    og = code_json(cell->value2, s.table ? Json(codice_gara_og(*s.table)) : Json());
  }
  return Json{{"st", st}, {"og", og}};
}

Json route_json(const LoadedScenario& s) {
  Json length = s.table ? Json(entry(*s.table, table_entry::train).end_m) : Json();
  Json count = s.track ? Json(s.track->size()) : Json();
  return Json{{"length_m", length}, {"cell_count", count}};
}

Json kilometre_points_json(const SimTable& t) {
  Json out = Json::array();
  for (int e : {table_entry::km_tre, table_entry::km_due, table_entry::km_uno}) {
    const SimRecord& r = entry(t, e);
    out.push_back(
        Json{{"entry", e}, {"start_m", r.start_m}, {"end_m", r.end_m}, {"pos_m", r.pos_m}});
  }
  return out;
}

// The first cell of the kind that refers to the table entry, if any.
Json cell_referring_to(const LoadedScenario& s, std::uint8_t kind, int e) {
  if (!s.track) return nullptr;
  for (std::size_t i = 0; i < s.track->size(); ++i) {
    const TrackCell& c = (*s.track)[i];
    if (c.kind == kind && c.value1 == e) return static_cast<std::int64_t>(i);
  }
  return nullptr;
}

Json station_json(const LoadedScenario& s, int e) {
  const SimRecord& r = entry(*s.table, e);
  return Json{{"entry", e},
              {"name", r.name},
              {"type", r.kind},
              {"position_m", r.pos_m},
              {"zone_start_m", r.start_m},
              {"zone_end_m", r.end_m},
              {"time_s", r.time_s},
              {"time", time_of_day_text(r.time_s)},
              {"stop_cell", cell_referring_to(s, cell_kind::station_stop, e)},
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

Json sign_json(const LoadedScenario& s, int e) {
  const Json cell = cell_referring_to(s, cell_kind::signboard, e);
  return Json{{"entry", e},
              {"text", entry(*s.table, e).name},
              {"cell", cell},
              {"metres", cell.is_null() ? Json() : Json(cell_start_m(cell.get<std::int64_t>()))}};
}

Json table_part_json(const LoadedScenario& s) {
  const SimTable& t = *s.table;
  const SimRecord& train = entry(t, table_entry::train);
  const SimRecord& route = entry(t, table_entry::route);
  const SimRecord& codes = entry(t, table_entry::codes);
  Json stations = Json::array();
  for (int e : station_entries(t)) stations.push_back(station_json(s, e));
  Json signs = Json::array();
  for (int e : sign_entries(t)) signs.push_back(sign_json(s, e));
  return Json{
      {"kilometre_points", kilometre_points_json(t)},
      {"backgrounds", {{"one", route.start_m}, {"two", route.pos_m}, {"three", route.end_m}}},
      {"code_repetition",
       {{"start_m", codes.start_m}, {"end_m", codes.end_m}, {"code_count", codes.pos_m}}},
      {"clock",
       {{"hours", codes.d1b},
        {"minutes", codes.d2b},
        {"seconds", codes.d3b},
        {"text", clock_text(codes.d1b, codes.d2b, codes.d3b)}}},
      {"sand", codes.d2a},
      {"train", {{"braked_mass_percent", train.start_m}, {"coaches", train.pos_m}}},
      {"stations", stations},
      {"signboards", signs}};
}

Json extent(double lo, double hi, bool any) {
  return any ? Json{{"min", lo}, {"max", hi}} : Json();
}

Json line_json(const LineGeometry& g) {
  std::int64_t filled = 0;
  std::array<double, 2> lo{0, 0};
  std::array<double, 2> hi{0, 0};
  std::array<bool, 2> any{false, false};
  for (std::int64_t m = 0; m <= g.last_m(); ++m) {
    bool row_filled = true;
    for (int c = 0; c < 2; ++c) {
      const LineValue v = g.at(m, c);
      row_filled = row_filled && !v.empty();
      // A value that is not a finite number (only a damaged file holds one) has no place.
      if (v.empty() || !std::isfinite(v.number())) continue;
      const auto k = static_cast<std::size_t>(c);
      lo[k] = any[k] ? std::min(lo[k], v.number()) : v.number();
      hi[k] = any[k] ? std::max(hi[k], v.number()) : v.number();
      any[k] = true;
    }
    if (row_filled) ++filled;
  }
  return Json{{"metres", g.last_m() + 1},
              {"metres_filled", filled},
              {"coordinate_0", extent(lo[0], hi[0], any[0])},
              {"coordinate_1", extent(lo[1], hi[1], any[1])}};
}

void add_table_part(const LoadedScenario& s, Json& report) {
  const Json part = s.table ? table_part_json(s) : Json();
  for (const char* key : {"kilometre_points", "backgrounds", "code_repetition", "clock", "sand",
                          "train", "stations", "signboards"}) {
    report[key] = part.is_null() ? Json() : part.at(key);
  }
}

void add_cells_part(const LoadedScenario& s, Json& report) {
  const SimTable* table = s.table ? &*s.table : nullptr;
  report["cells"] = s.track ? occupied_cells(*s.track, table) : Json();
  report["stretches"] = s.track ? stretches(*s.track) : Json();
  report["approach_codes"] = s.track ? approach_codes(*s.track) : Json();
  report["curves"] = s.line ? curves_json(line_curves(*s.line)) : Json();
}

Json identifiers_json(const LoadedScenario& s) {
  if (!s.table) return nullptr;
  return Json{{"route_id", entry(*s.table, table_entry::route).name},
              {"train_number", entry(*s.table, table_entry::codes).name}};
}

}  // namespace

Json build_report(const LoadedScenario& s, bool cells) {
  Json report{{"version", report_version},          {"files", files_json(s)},
              {"identifiers", identifiers_json(s)}, {"route", route_json(s)},
              {"header", header_json(s)},           {"competition_codes", codes_json(s)}};
  add_table_part(s, report);
  report["line_geometry"] = s.line ? line_json(*s.line) : Json();
  report["cell_counts"] = s.track ? cell_counts(*s.track) : Json();
  report["warnings"] = consistency_warnings(s);
  if (cells) add_cells_part(s, report);
  return report;
}

}  // namespace scenario::tool
