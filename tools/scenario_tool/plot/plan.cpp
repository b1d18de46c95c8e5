#include "scenario_tool/plot/plan.h"

#include <algorithm>

#include "scenario_tool/plot/centre_line.h"
#include "scenario_tool/plot/page.h"
#include "scenario_tool/plot/plan_marks.h"
#include "scenario_tool/plot/track_series.h"
#include "scenario_tool/scenario/position_text.h"

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

Thinning draw_centre_line(Svg& svg, const PlanFrame& frame, const LineGeometry& line,
                          MetreRange stretch) {
  Thinning thinning;
  svg.open("g", {{"class", "centre-line"},
                 {"fill", "none"},
                 {"stroke", page::centre_line_ink},
                 {"stroke-width", "2.5"},
                 {"stroke-linejoin", "round"}});
  for (const MetreRange& run : drawn_runs(line, stretch.first, stretch.last)) {
    svg.polyline(page_points(line, frame, run, thinning), {});
  }
  svg.close();
  return thinning;
}

void draw_tunnels(Svg& svg, const PlanFrame& frame, const LineGeometry& line,
                  const std::vector<TrackCell>& track, MetreRange stretch, LabelPlacer& labels) {
  Thinning ignored;
  for (Stretch t : tunnel_stretches(track)) {
    if (t.end_m < stretch.first || t.start_m > stretch.last) continue;
    t.start_m = std::max(t.start_m, stretch.first);
    t.end_m = std::min(t.end_m, stretch.last);
    svg.open("g", {{"class", "tunnel"}});
    svg.title("tunnel of type " + std::to_string(t.value) + " from " + km_position(t.start_m) +
              " to " + km_position(t.end_m));
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
const Box kBorder{Point{30, 82}, Point{page::width - 30, page::height - 30}};

void draw_border(Svg& svg) {
  svg.rect(kBorder.min.x, kBorder.min.y, kBorder.max.x - kBorder.min.x,
           kBorder.max.y - kBorder.min.y,
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
  return plan_frame(line, MetreRange{0, line.last_m()});
}

std::optional<PlanFrame> plan_frame(const LineGeometry& line, MetreRange stretch) {
  const auto extent = line_extent(line, stretch.first, stretch.last);
  if (!extent) return std::nullopt;
  return PlanFrame(*extent, plan_area());
}

std::optional<std::string> plan_svg(const PlotScene& scene, std::vector<std::string>& notes) {
  return plan_svg(scene, MetreRange{0, scene.line->last_m()}, notes);
}

std::optional<std::string> plan_svg(const PlotScene& scene, MetreRange stretch,
                                    std::vector<std::string>& notes) {
  const LineGeometry& line = *scene.line;
  const auto frame = plan_frame(line, stretch);
  if (!frame) {
    notes.push_back("no metre of the line file holds a point: there is no plan to draw");
    return std::nullopt;
  }
  std::string subtitle =
      "Centre line from the line file as stored, coordinate 0 to the right and coordinate 1 "
      "upwards, at one scale; metres with no point are left out";
  if (stretch.first > 0 || stretch.last < line.last_m()) {
    subtitle += "; " + km_position(stretch.first) + " to " + km_position(stretch.last);
  }
  Svg svg =
      titled_page(scene, "plan of the line",
                  "Plan of the track's centre line drawn from the compiled line file.", subtitle);
  draw_border(svg);
  LabelPlacer labels;
  // Inside the frame, which stands below the titles.
  labels.keep_within(Box{Point{kBorder.min.x + 2, kBorder.min.y + 2},
                         Point{kBorder.max.x - 2, kBorder.max.y - 2}});
  labels.reserve(draw_plan_legend(svg, plan_tick_step(stretch.first, stretch.last)));
  labels.reserve(draw_scale_bar(svg, *frame));
  const Thinning thinning = draw_centre_line(svg, *frame, line, stretch);
  svg.comment(thinning_comment(thinning, *frame));
  if (scene.table) {
    draw_plan_stations(svg, *frame, line, station_marks(scene), stretch.first, stretch.last, labels,
                       notes);
  } else {
    notes.push_back("no table file: the stations are not drawn on the plan");
  }
  if (scene.track) {
    draw_tunnels(svg, *frame, line, *scene.track, stretch, labels);
  } else {
    notes.push_back("no track file: the tunnels are not drawn on the plan");
  }
  draw_kilometre_ticks(svg, *frame, line, stretch.first, stretch.last, labels);
  if (labels.left_out() > 0) {
    svg.comment(std::to_string(labels.left_out()) +
                " labels are left out for want of room; the tooltips of their marks name them.");
  }
  return svg.finish();
}

}  // namespace scenario::tool
