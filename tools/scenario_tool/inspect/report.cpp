#include "scenario_tool/inspect/report.h"

#include <algorithm>
#include <cmath>

#include "compiler/codice_gara.h"
#include "scenario_tool/scenario/consistency.h"
#include "scenario_tool/scenario/curve_views.h"
#include "scenario_tool/scenario/table_views.h"
#include "scenario_tool/scenario/track_views.h"

namespace scenario::tool {

namespace {

std::optional<LineSummary> line_summary(const LineGeometry& g) {
  LineSummary out{g.last_m() + 1, 0, {}};
  for (std::int64_t m = 0; m <= g.last_m(); ++m) {
    bool row_filled = true;
    for (int c = 0; c < 2; ++c) {
      const LineValue v = g.at(m, c);
      row_filled = row_filled && !v.empty();
      // A value that is not a finite number (only a damaged file holds one) has no place.
      if (v.empty() || !std::isfinite(v.number())) continue;
      auto& e = out.coordinates[static_cast<std::size_t>(c)];
      e = e ? Extent{std::min(e->min, v.number()), std::max(e->max, v.number())}
            : Extent{v.number(), v.number()};
    }
    if (row_filled) ++out.metres_filled;
  }
  return out;
}

std::vector<KindCount> kind_counts(const std::vector<TrackCell>& track) {
  std::array<std::int64_t, 256> counts{};
  for (const TrackCell& c : track) ++counts[c.kind];
  std::vector<KindCount> out;
  for (std::size_t k = 0; k < counts.size(); ++k) {
    if (counts[k] > 0) out.push_back({static_cast<std::uint8_t>(k), counts[k]});
  }
  return out;
}

Json opt(const std::optional<std::int64_t>& v) { return v ? Json(*v) : Json(); }

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

Json check_json(const std::optional<ValueCheck>& c) {
  if (!c) return nullptr;
  return Json{{"value", c->value}, {"expected", c->expected}, {"ok", c->value == c->expected}};
}

Json code_json(const std::optional<CodeCheck>& c) {
  if (!c) return nullptr;
  return Json{{"stored", c->stored},
              {"expected", opt(c->expected)},
              {"match", c->expected ? Json(*c->expected == c->stored) : Json()}};
}

Json table_part_json(const Scenario& s) {
  const Header& h = *s.header;
  Json km = Json::array();
  for (const KmPointEntry& k : h.km_points) {
    km.push_back(
        Json{{"entry", k.entry}, {"start_m", k.start_m}, {"end_m", k.end_m}, {"pos_m", k.pos_m}});
  }
  Json stations = Json::array();
  for (const Station& st : s.stations) stations.push_back(station_json(st));
  Json signs = Json::array();
  for (const Sign& g : s.signs) {
    signs.push_back(Json{{"entry", g.entry},
                         {"text", g.text},
                         {"cell", opt(g.cell)},
                         {"metres", opt(g.position_m)}});
  }
  return Json{{"kilometre_points", km},
              {"backgrounds",
               {{"one", h.backgrounds[0]}, {"two", h.backgrounds[1]}, {"three", h.backgrounds[2]}}},
              {"code_repetition",
               {{"start_m", h.repetition_start_m},
                {"end_m", h.repetition_end_m},
                {"code_count", h.repetition_codes}}},
              {"clock",
               {{"hours", h.clock[0]},
                {"minutes", h.clock[1]},
                {"seconds", h.clock[2]},
                {"text", clock_text(h.clock[0], h.clock[1], h.clock[2])}}},
              {"sand", h.sand},
              {"train", {{"braked_mass_percent", h.braked_mass_percent}, {"coaches", h.coaches}}},
              {"stations", stations},
              {"signboards", signs}};
}

Json extent_json(const std::optional<Extent>& e) {
  return e ? Json{{"min", e->min}, {"max", e->max}} : Json();
}

Json line_json(const std::optional<LineSummary>& g) {
  if (!g) return nullptr;
  return Json{{"metres", g->metres},
              {"metres_filled", g->metres_filled},
              {"coordinate_0", extent_json(g->coordinates[0])},
              {"coordinate_1", extent_json(g->coordinates[1])}};
}

void add_table_part(const Scenario& s, Json& report) {
  const Json part = s.header ? table_part_json(s) : Json();
  for (const char* key : {"kilometre_points", "backgrounds", "code_repetition", "clock", "sand",
                          "train", "stations", "signboards"}) {
    report[key] = part.is_null() ? Json() : part[key];
  }
}

void add_cells_part(const InspectReport& r, Json& report) {
  const LoadedScenario& s = r.loaded;
  const SimTable* table = s.table ? &*s.table : nullptr;
  report["cells"] = s.track ? occupied_cells(*s.track, table) : Json();
  report["stretches"] = s.track ? stretches(*s.track) : Json();
  report["approach_codes"] = s.track ? approach_codes(*s.track) : Json();
  report["curves"] = r.scenario.curves ? curves_json(*r.scenario.curves) : Json();
}

Json counts_json(const InspectReport& r) {
  if (!r.loaded.track) return nullptr;
  Json out = Json::object();
  for (const KindCount& k : r.cell_counts) out[kind_name(k.kind)] = k.count;
  return out;
}

}  // namespace

std::array<std::pair<const char*, std::int64_t>, 10> record_columns(const SimRecord& r) {
  return {{{"tps", r.tps},
           {"tab", r.tab},
           {"mar", r.mar},
           {"rap", r.rap},
           {"ac", r.ac},
           {"d2a", r.d2a},
           {"d3a", r.d3a},
           {"d1b", r.d1b},
           {"d2b", r.d2b},
           {"d3b", r.d3b}}};
}

Json station_json(const Station& st) {
  Json out{{"entry", st.entry},
           {"name", st.name},
           {"type", st.type},
           {"position_m", st.position_m},
           {"zone_start_m", st.zone_start_m},
           {"zone_end_m", st.zone_end_m},
           {"time_s", st.time_s},
           {"time", time_of_day_text(st.time_s)},
           {"stop_cell", opt(st.stop_cell)}};
  for (const auto& [name, value] : record_columns(st.record)) out[name] = value;
  return out;
}

InspectReport inspect_report(const LoadedScenario& loaded, const Scenario& scenario, bool cells) {
  InspectReport r{loaded, scenario, {}, {}, {}, {}, {}, {}, consistency_warnings(loaded), cells};
  const std::optional<std::int64_t> og =
      loaded.table ? std::optional<std::int64_t>(codice_gara_og(*loaded.table)) : std::nullopt;
  if (scenario.track_header) {
    r.track_header = ValueCheck{scenario.track_header->value, track_header_value};
    r.code_og = CodeCheck{scenario.track_header->code_og, og};
  }
  if (scenario.header) {
    r.table_header = ValueCheck{scenario.header->header_value, table_header_value};
    r.code_st = CodeCheck{scenario.header->code_st, codice_gara_st(*loaded.table)};
  }
  if (loaded.line) r.line = line_summary(*loaded.line);
  if (loaded.track) r.cell_counts = kind_counts(*loaded.track);
  return r;
}

Json report_json(const InspectReport& r) {
  const Scenario& s = r.scenario;
  const Json ids =
      s.header ? Json{{"route_id", s.header->route_id}, {"train_number", s.header->train_number}}
               : Json();
  const Json route{{"length_m", s.header ? Json(s.header->route_length_m) : Json()},
                   {"cell_count", r.loaded.track ? Json(r.loaded.track->size()) : Json()}};
  Json report{{"version", report_version},
              {"files", files_json(r.loaded)},
              {"identifiers", ids},
              {"route", route},
              {"header",
               {{"track_cell_1", check_json(r.track_header)},
                {"table_entry_85", check_json(r.table_header)}}},
              {"competition_codes", {{"st", code_json(r.code_st)}, {"og", code_json(r.code_og)}}}};
  add_table_part(s, report);
  report["line_geometry"] = line_json(r.line);
  report["cell_counts"] = counts_json(r);
  report["warnings"] = r.warnings;
  if (r.cells) add_cells_part(r, report);
  return report;
}

Json build_report(const LoadedScenario& loaded, bool cells) {
  const Scenario scenario = decode_scenario(loaded);
  return report_json(inspect_report(loaded, scenario, cells));
}

}  // namespace scenario::tool
