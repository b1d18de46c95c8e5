#include "scenario_tool/view/page_data.h"

#include <algorithm>
#include <cmath>

#include "compiler/record_kinds.h"
#include "format/cell_values.h"
#include "scenario_tool/check/run_checks.h"
#include "scenario_tool/inspect/report.h"
#include "scenario_tool/plot/centre_line.h"
#include "scenario_tool/plot/feature_words.h"
#include "scenario_tool/plot/pictures.h"
#include "scenario_tool/plot/scene.h"
#include "scenario_tool/plot/track_series.h"
#include "scenario_tool/scenario/position_text.h"
#include "scenario_tool/scenario/table_views.h"
#include "scenario_tool/view/detail_levels.h"

namespace scenario::tool {

namespace {

// Coarsest levels: the whole line in this many pixels.
constexpr double kCoarsestPixels = 256;

double centimetres(double metres) { return std::round(metres * 100); }

std::string record_meaning(std::string_view record) {
  const RecordKind* r = find_record_kind(record);
  return r == nullptr ? std::string() : std::string(r->meaning);
}

std::string field_meaning(std::string_view record, std::string_view field) {
  const RecordKind* r = find_record_kind(record);
  if (r == nullptr) return std::string(field);
  for (const FieldSpec& f : r->fields) {
    if (f.name == field) return std::string(f.meaning);
  }
  return std::string(field);
}

std::string from_to(std::int64_t a, std::int64_t b) {
  return "from " + km_position(a) + " to " + km_position(b);
}

void add_run(const LineGeometry& line, MetreRange run, const std::vector<double>& tolerances,
             Json& out) {
  std::vector<Point> points;
  std::vector<std::int64_t> metres;
  for (std::int64_t m = run.first; m <= run.last; ++m) {
    const Point p = *line_point(line, m);
    // Thinned as drawn: at the centimetre the page is given.
    points.push_back(Point{centimetres(p.x) / 100, centimetres(p.y) / 100});
    metres.push_back(m);
  }
  const auto levels = detail_levels(keep_tolerances(points, tolerances.back()), tolerances);
  out["runs"].push_back(out["m"].size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (levels[i] < 0) continue;
    out["m"].push_back(metres[i]);
    out["x"].push_back(static_cast<std::int64_t>(centimetres(points[i].x)));
    out["y"].push_back(static_cast<std::int64_t>(centimetres(points[i].y)));
    out["level"].push_back(levels[i]);
  }
}

Json series_json(const std::vector<std::vector<Point>>& pieces,
                 const std::vector<double>& x_per_pixel, double y_per_pixel) {
  Json out = Json::array();
  for (const auto& piece : pieces) {
    Json levels = Json::array();
    for (const auto& kept : series_levels(piece, x_per_pixel, y_per_pixel)) {
      Json flat = Json::array();
      for (std::size_t i : kept) {
        flat.push_back(std::round(piece[i].x));
        flat.push_back(std::round(piece[i].y * 100) / 100);
      }
      levels.push_back(std::move(flat));
    }
    out.push_back(std::move(levels));
  }
  return out;
}

struct Range {
  double lo = 0;
  double hi = 0;
};

Range padded(const std::vector<std::vector<Point>>& pieces, double least) {
  Range r;
  for (const auto& piece : pieces) {
    for (const Point& p : piece) {
      r.lo = std::min(r.lo, p.y);
      r.hi = std::max(r.hi, p.y);
    }
  }
  if (r.hi - r.lo < least) r.hi = r.lo + least;
  const double pad = (r.hi - r.lo) * 0.06;
  return Range{r.lo - pad, r.hi + pad};
}

std::vector<std::vector<Point>> elevation_series(const std::vector<TrackCell>& track) {
  std::vector<std::vector<Point>> out;
  for (const auto& piece : elevation_pieces(track)) {
    auto& points = out.emplace_back();
    for (const ElevationVertex& v : piece) points.push_back(Point{v.metres, v.elevation});
  }
  return out;
}

// The speed limit as step lines, one per run of stretches without a gap.
std::vector<std::vector<Point>> speed_series(const std::vector<TrackCell>& track) {
  std::vector<std::vector<Point>> out;
  std::int64_t end = -1;
  for (const Stretch& s : speed_stretches(track)) {
    if (s.start_m != end) out.emplace_back();
    const auto v = static_cast<double>(s.value);
    out.back().push_back(Point{static_cast<double>(s.start_m), v});
    out.back().push_back(Point{static_cast<double>(s.end_m), v});
    end = s.end_m;
  }
  return out;
}

Json profile_json(const std::vector<TrackCell>& track, double length_m) {
  const auto x_levels = halving_tolerances(length_m / kCoarsestPixels, profile_finest_metres);
  const auto elevation = elevation_series(track);
  const auto speed = speed_series(track);
  const Range e = padded(elevation, 2);
  Range s = padded(speed, 10);
  s.lo = 0;
  return Json{{"x_per_pixel", x_levels},
              {"elevation",
               {{"lo", e.lo},
                {"hi", e.hi},
                {"px", elevation_panel_px},
                {"pieces", series_json(elevation, x_levels, (e.hi - e.lo) / elevation_panel_px)}}},
              {"speed",
               {{"lo", s.lo},
                {"hi", s.hi},
                {"px", speed_panel_px},
                {"pieces", series_json(speed, x_levels, (s.hi - s.lo) / speed_panel_px)}}}};
}

Json cell_words(const std::vector<Feature>& features) {
  Json out = Json::array();
  for (const Feature& f : features) {
    out.push_back(feature_words(f.kind, static_cast<std::size_t>(f.cell), f.meaning));
  }
  return out;
}

// The curves as inspect --cells gives them, each with its words.
Json curves_with_words(const std::optional<LineCurves>& curves) {
  if (!curves) return nullptr;
  Json out = curves_json(*curves);
  Json& stretches = out["stretches"];
  for (std::size_t i = 0; i < curves->curves.size(); ++i) {
    const CurveStretch& c = curves->curves[i];
    // The record's meaning is the same for all: the page adds it from `curve_words`.
    stretches[i]["words"] =
        std::string(side_name(c.side)) + "-hand curve of class " + std::to_string(c.curve_class) +
        ", radius " + std::to_string(whole_radius_m(c)) + " m, " + from_to(c.start_m, c.end_m);
  }
  return out;
}

Json tunnels_json(const std::vector<TrackCell>& track) {
  Json out = Json::array();
  for (const Stretch& t : tunnel_stretches(track)) {
    out.push_back(
        Json{{"start_m", t.start_m},
             {"end_m", t.end_m},
             {"type", t.value},
             {"words", "tunnel " + from_to(t.start_m, t.end_m) + "\n" + record_meaning("montagna") +
                           "\n" + field_meaning("montagna", "tipo") + " \u2014 " +
                           std::to_string(t.value)}});
  }
  return out;
}

Json slowdowns_json(const std::vector<TrackCell>& track) {
  Json out = Json::array();
  for (const SlowdownSpan& s : slowdown_spans(track)) {
    const std::int64_t start = static_cast<std::int64_t>(s.start_cell) * cell_metres;
    const std::int64_t end = static_cast<std::int64_t>(s.end_cell) * cell_metres;
    out.push_back(
        Json{{"start_m", start},
             {"end_m", end},
             {"speed_kmh", s.speed_kmh},
             {"words", "slowdown at " + std::to_string(s.speed_kmh) + " km/h " +
                           from_to(start, end) + "\n" + record_meaning("rallentamento")}});
  }
  return out;
}

// The gradient stretches: runs of cells of one written gradient, in per mille.
Json gradients_json(const std::vector<TrackCell>& track) {
  Json out = Json::array();
  std::optional<int> open;
  for (std::size_t i = 0; i < track.size(); ++i) {
    const std::optional<int> g = gradient_per_mille(track[i]);
    const auto at = static_cast<std::int64_t>(i) * cell_metres;
    if (g && open && *g == *open) {
      out.back()["end_m"] = at + cell_metres;
    } else if (g) {
      out.push_back(Json{{"start_m", at}, {"end_m", at + cell_metres}, {"per_mille", *g}});
    }
    open = g;
  }
  return out;
}

Json adhesion_json(const std::vector<TrackCell>& track) {
  Json out = Json::array();
  for (const Stretch& s : poor_adhesion_stretches(track)) {
    out.push_back(Json{{"start_m", s.start_m},
                       {"end_m", s.end_m},
                       {"words", "poor adhesion " + from_to(s.start_m, s.end_m) + "\n" +
                                     field_meaning("aderenza", "adhesion") + " \u2014 " +
                                     std::to_string(s.value)}});
  }
  return out;
}

Json station_words(const std::vector<Station>& stations) {
  Json out = Json::array();
  for (const Station& s : stations) {
    out.push_back(s.name + "\n" + record_meaning("stazione") + "\n" +
                  field_meaning("stazione", "pos") + " \u2014 " + km_position(s.position_m) +
                  "\nzone " + from_to(s.zone_start_m, s.zone_end_m) + "\ntimetable time \u2014 " +
                  time_of_day_text(s.time_s) + "\n" + field_meaning("stazione", "tipo") +
                  " \u2014 " + std::to_string(s.type));
  }
  return out;
}

Json findings_json(const std::vector<ViewFinding>& findings) {
  Json out = Json::array();
  for (const ViewFinding& f : findings) {
    out.push_back(Json{{"position_m", f.position_m ? Json(*f.position_m) : Json()},
                       {"severity", f.severity},
                       {"message", f.message},
                       {"check_id", f.check_id}});
  }
  return out;
}

double length_of(const LoadedScenario& s) {
  if (s.track) return static_cast<double>(s.track->size()) * cell_metres;
  if (s.line) return static_cast<double>(std::max<std::int64_t>(s.line->last_m(), 0));
  return 0;
}

}  // namespace

std::vector<ViewFinding> check_findings(const LoadedScenario& loaded) {
  std::vector<ViewFinding> out;
  for (const CheckFinding& f : run_checks(loaded, CheckParameters{}).findings) {
    out.push_back(ViewFinding{f.position_m, severity_name(f.severity), f.message, f.check});
  }
  return out;
}

Json plan_data(const LineGeometry& line) {
  const auto extent = line_extent(line);
  if (!extent) return nullptr;
  const double span = std::max(extent->max.x - extent->min.x, extent->max.y - extent->min.y);
  const auto tolerances = halving_tolerances(span / kCoarsestPixels, plan_finest_metres);
  Json out{{"tolerances", tolerances}, {"m", Json::array()},     {"x", Json::array()},
           {"y", Json::array()},       {"level", Json::array()}, {"runs", Json::array()}};
  for (const MetreRange& run : drawn_runs(line, 0, line.last_m())) {
    add_run(line, run, tolerances, out);
  }
  return out;
}

Json view_data(const LoadedScenario& loaded, const Scenario& scenario, const ScenarioFiles& files,
               const std::vector<ViewFinding>& findings) {
  const PlotScene scene = plot_scene(loaded, files);
  Json report = build_report(loaded, true);
  const double length = length_of(loaded);
  Json data{{"title", plot_title(scene, "plan and profile")},
            {"length_m", length},
            {"cell_metres", cell_metres},
            {"cell_words", cell_words(scenario.features)},
            {"station_words", station_words(scenario.stations)},
            {"plan", loaded.line ? plan_data(*loaded.line) : Json()},
            {"profile", loaded.track ? profile_json(*loaded.track, length) : Json()},
            {"curves", curves_with_words(scenario.curves)},
            {"curve_words", record_meaning("curva")},
            {"tunnels", loaded.track ? tunnels_json(*loaded.track) : Json()},
            {"slowdowns", loaded.track ? slowdowns_json(*loaded.track) : Json()},
            {"poor_adhesion", loaded.track ? adhesion_json(*loaded.track) : Json()},
            {"gradients", loaded.track ? gradients_json(*loaded.track) : Json()},
            {"findings", findings_json(findings)}};
  data["report"] = std::move(report);
  return data;
}

}  // namespace scenario::tool
