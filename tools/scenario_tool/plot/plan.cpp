#include "scenario_tool/plot/plan.h"

#include "scenario_tool/plot/centre_line.h"
#include "scenario_tool/plot/page.h"
#include "scenario_tool/plot/plan_marks.h"
#include "scenario_tool/plot/track_series.h"

namespace scenario::tool {

namespace {

struct Thinning {
  std::size_t stored = 0;
  std::size_t drawn = 0;
};

// The metres of the run on the page, thinned to what the page can show.
std::vector<Point> page_points(const LineGeometry& line, const PlanFrame& frame, MetreRange run,
                               Thinning& thinning) {
  std::vector<Point> points;
  points.reserve(static_cast<std::size_t>(run.last - run.first + 1));
  for (std::int64_t m = run.first; m <= run.last; ++m) {
    points.push_back(frame.to_page(*line_point(line, m)));
  }
  std::vector<Point> kept = simplify(points, plan_tolerance);
  thinning.stored += points.size();
  thinning.drawn += kept.size();
  return kept;
}

Thinning draw_centre_line(Svg& svg, const PlanFrame& frame, const LineGeometry& line) {
  Thinning thinning;
  svg.open("g", {{"class", "centre-line"},
                 {"fill", "none"},
                 {"stroke", page::centre_line_ink},
                 {"stroke-width", "2.5"},
                 {"stroke-linejoin", "round"}});
  for (const MetreRange& run : drawn_runs(line, 0, line.last_m())) {
    svg.polyline(page_points(line, frame, run, thinning), {});
  }
  svg.close();
  return thinning;
}

void draw_tunnels(Svg& svg, const PlanFrame& frame, const LineGeometry& line,
                  const std::vector<TrackCell>& track, LabelPlacer& labels) {
  Thinning ignored;
  for (const Stretch& t : tunnel_stretches(track)) {
    svg.open("g", {{"class", "tunnel"}});
    svg.title("tunnel of type " + std::to_string(t.value) + " from " +
              svg_number(static_cast<double>(t.start_m) / 1000) + " to " +
              svg_number(static_cast<double>(t.end_m) / 1000) + " km");
    for (const MetreRange& run : drawn_runs(line, t.start_m, t.end_m)) {
      svg.polyline(page_points(line, frame, run, ignored), {{"fill", "none"},
                                                            {"stroke", page::tunnel_ink},
                                                            {"stroke-width", "8"},
                                                            {"stroke-linecap", "round"}});
    }
    // A tunnel of a few hundred metres is a dot on the page: its name says what it is.
    label_on_left(svg, frame, line, (t.start_m + t.end_m) / 2, "tunnel", labels);
    svg.close();
  }
}

// The frame around the drawing, below the titles.
void draw_border(Svg& svg) {
  svg.rect(30, 82, page::width - 60, page::height - 112,
           {{"fill", "none"}, {"stroke", "#999999"}, {"stroke-width", "1"}});
}

std::string thinning_comment(const Thinning& t, const PlanFrame& frame) {
  return "The line file holds a point per metre: the centre line is thinned so that no point "
         "left out lies more than " +
         svg_number(plan_tolerance) + " units (" +
         svg_number(plan_tolerance / frame.units_per_metre()) + " m) from the line drawn; " +
         std::to_string(t.drawn) + " of " + std::to_string(t.stored) + " points are drawn.";
}

}  // namespace

std::optional<PlanFrame> plan_frame(const LineGeometry& line) {
  const auto extent = line_extent(line);
  if (!extent) return std::nullopt;
  return PlanFrame(*extent, plan_area());
}

std::optional<std::string> plan_svg(const PlotScene& scene, std::vector<std::string>& notes) {
  const LineGeometry& line = *scene.line;
  const auto frame = plan_frame(line);
  if (!frame) {
    notes.push_back("no metre of the line file holds a point: there is no plan to draw");
    return std::nullopt;
  }
  Svg svg = titled_page(
      scene, "plan of the line",
      "Plan of the track's centre line drawn from the compiled line file.",
      "Centre line from the line file as stored, coordinate 0 to the right and coordinate 1 "
      "upwards, at one scale; metres with no point are left out");
  draw_border(svg);
  LabelPlacer labels;
  labels.reserve(draw_plan_legend(svg));
  labels.reserve(draw_scale_bar(svg, *frame));
  const Thinning thinning = draw_centre_line(svg, *frame, line);
  svg.comment(thinning_comment(thinning, *frame));
  if (scene.table) {
    draw_plan_stations(svg, *frame, line, station_marks(scene), labels, notes);
  } else {
    notes.push_back("no table file: the stations are not drawn on the plan");
  }
  if (scene.track) {
    draw_tunnels(svg, *frame, line, *scene.track, labels);
  } else {
    notes.push_back("no track file: the tunnels are not drawn on the plan");
  }
  draw_kilometre_ticks(svg, *frame, line, labels);
  return svg.finish();
}

}  // namespace scenario::tool
