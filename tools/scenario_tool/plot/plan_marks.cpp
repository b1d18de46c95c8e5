#include "scenario_tool/plot/plan_marks.h"

#include <algorithm>
#include <cmath>

#include "scenario_tool/plot/page.h"
#include "scenario_tool/plot/scale.h"
#include "scenario_tool/scenario/position_text.h"

namespace scenario::tool {

namespace {

constexpr double kLeastTickEvery = 5000;
constexpr double kMostTicks = 30;
constexpr std::int64_t kDirectionReach = 200;  // metres each way that give the line's heading

std::string km_text(double metres) { return svg_number(metres / 1000); }

// The nearest point that exists from metre m towards m + step, at most `reach` metres on.
std::optional<Point> point_towards(const LineGeometry& line, std::int64_t m, std::int64_t step) {
  for (std::int64_t k = kDirectionReach; k > 0; k -= 10) {
    if (const auto p = line_point(line, m + step * k)) return p;
  }
  return line_point(line, m);
}

// The unit normal of the line at metre m on the page, pointing to the right of the page.
Point right_side(const LineGeometry& line, const PlanFrame& frame, std::int64_t m) {
  const auto a = point_towards(line, m, -1);
  const auto b = point_towards(line, m, 1);
  if (!a || !b) return Point{1, 0};
  const Point pa = frame.to_page(*a);
  const Point pb = frame.to_page(*b);
  const double length = std::hypot(pb.x - pa.x, pb.y - pa.y);
  if (!(length > 0)) return Point{1, 0};
  Point n{-(pb.y - pa.y) / length, (pb.x - pa.x) / length};
  if (n.x < 0 || (n.x == 0 && n.y > 0)) n = Point{-n.x, -n.y};
  return n;
}

Point along(Point p, Point n, double d) { return Point{p.x + n.x * d, p.y + n.y * d}; }

const char* anchor_for(Point n) {
  if (n.x > 0.3) return "start";
  if (n.x < -0.3) return "end";
  return "middle";
}

// Text beside `at` in the direction `side`, clear of the labels already placed.
void side_label(Svg& svg, Point at, Point side, double gap, const std::string& text, double size,
                bool bold, const char* ink, LabelPlacer& labels) {
  const Point preferred = along(at, side, gap);
  const char* anchor = anchor_for(side);
  const auto p = labels.place(Point{preferred.x, preferred.y + size * 0.35},
                              text_width(text, size, bold), size, anchor);
  if (!p) return;
  Attrs attrs{{"font-size", svg_number(size)}, {"fill", ink}, {"text-anchor", anchor}};
  if (bold) attrs.emplace_back("font-weight", "bold");
  svg.text(*p, text, attrs);
}

void scale_bar_part(Svg& svg, double x, double y, double w, bool dark) {
  svg.rect(x, y, w, 8,
           {{"fill", dark ? page::ink : "white"}, {"stroke", page::ink}, {"stroke-width", "1"}});
}

}  // namespace

void draw_plan_stations(Svg& svg, const PlanFrame& frame, const LineGeometry& line,
                        const std::vector<StationMark>& stations, std::int64_t from_m,
                        std::int64_t to_m, LabelPlacer& labels, std::vector<std::string>& notes) {
  for (const StationMark& s : stations) {
    if (s.pos_m < from_m || s.pos_m > to_m) continue;
    const auto p = line_point(line, s.pos_m);
    if (!p) {
      notes.push_back("the station " + s.name + " at " + km_position(s.pos_m) +
                      " has no point on the centre line: it is not marked on the plan");
      continue;
    }
    const Point at = frame.to_page(*p);
    svg.open("g", {{"class", "station"}});
    svg.title(s.name + " at " + km_position(s.pos_m));
    svg.circle(at, 5.5,
               {{"fill", "white"}, {"stroke", page::station_marker_ink}, {"stroke-width", "2.5"}});
    side_label(svg, at, right_side(line, frame, s.pos_m), 11, s.name, page::label_size, true,
               page::ink, labels);
    svg.close();
  }
}

void label_on_left(Svg& svg, const PlanFrame& frame, const LineGeometry& line, std::int64_t m,
                   const std::string& text, LabelPlacer& labels) {
  const auto p = line_point(line, m);
  if (!p) return;
  const Point r = right_side(line, frame, m);
  side_label(svg, frame.to_page(*p), Point{-r.x, -r.y}, 14, text, page::small_size, false,
             page::faint_ink, labels);
}

std::int64_t plan_tick_step(std::int64_t from_m, std::int64_t to_m) {
  return static_cast<std::int64_t>(
      std::max(kLeastTickEvery, nice_step(static_cast<double>(to_m - from_m) / kMostTicks, 1)));
}

void draw_kilometre_ticks(Svg& svg, const PlanFrame& frame, const LineGeometry& line,
                          std::int64_t from_m, std::int64_t to_m, LabelPlacer& labels) {
  const std::int64_t step = plan_tick_step(from_m, to_m);
  const std::int64_t first = std::max<std::int64_t>((from_m + step - 1) / step, 1) * step;
  for (std::int64_t m = first; m <= std::min(to_m, line.last_m()); m += step) {
    const auto p = line_point(line, m);
    if (!p) continue;
    const Point at = frame.to_page(*p);
    // Ticks stand on the side away from the station names.
    const Point r = right_side(line, frame, m);
    const Point left{-r.x, -r.y};
    svg.open("g", {{"class", "km-tick"}});
    svg.line(along(at, left, -5), along(at, left, 9),
             {{"stroke", page::ink}, {"stroke-width", "2"}});
    label_on_left(svg, frame, line, m, "km " + km_text(static_cast<double>(m)), labels);
    svg.close();
  }
}

Box draw_scale_bar(Svg& svg, const PlanFrame& frame) {
  // About a sixth of the page wide, in a round number of kilometres (or of metres, for a short
  // line).
  const double metres = nice_step(page::width / 6 / frame.units_per_metre(), 1);
  const double w = metres * frame.units_per_metre();
  const double x = 50;
  const double y = page::height - 62;
  svg.open("g", {{"class", "scale-bar"}});
  for (int k = 0; k < 4; ++k) scale_bar_part(svg, x + w * k / 4, y, w / 4, k % 2 == 0);
  const Attrs text{
      {"font-size", svg_number(page::small_size)}, {"fill", page::ink}, {"text-anchor", "middle"}};
  svg.text(Point{x, y + 24}, "0", text);
  svg.text(Point{x + w / 2, y + 24}, km_text(metres / 2), text);
  svg.text(Point{x + w, y + 24}, km_text(metres) + " km", text);
  svg.close();
  return Box{Point{x - 10, y - 4}, Point{x + w + 30, y + 30}};
}

Box draw_plan_legend(Svg& svg, std::int64_t tick_step) {
  const double x = page::width - 230;
  const double y = 110;
  const Box box{Point{x - 12, y - 20}, Point{x + 188, y + 92}};
  svg.open("g", {{"class", "legend"}, {"font-size", svg_number(page::small_size)}});
  svg.rect(box.min.x, box.min.y, box.max.x - box.min.x, box.max.y - box.min.y,
           {{"fill", "white"}, {"stroke", "#999999"}, {"stroke-width", "1"}});
  svg.line(Point{x, y}, Point{x + 36, y},
           {{"stroke", page::centre_line_ink}, {"stroke-width", "2.5"}});
  svg.text(Point{x + 46, y + 4}, "centre line", {{"fill", page::ink}});
  svg.line(Point{x + 6, y + 24}, Point{x + 30, y + 24},
           {{"stroke", page::tunnel_ink}, {"stroke-width", "8"}, {"stroke-linecap", "round"}});
  svg.text(Point{x + 46, y + 28}, "tunnel", {{"fill", page::ink}});
  svg.circle(Point{x + 18, y + 48}, 5.5,
             {{"fill", "white"}, {"stroke", page::station_marker_ink}, {"stroke-width", "2.5"}});
  svg.text(Point{x + 46, y + 52}, "station", {{"fill", page::ink}});
  svg.line(Point{x + 18, y + 64}, Point{x + 18, y + 78},
           {{"stroke", page::ink}, {"stroke-width", "2"}});
  svg.text(Point{x + 46, y + 76}, "every " + km_text(static_cast<double>(tick_step)) + " km",
           {{"fill", page::ink}});
  svg.close();
  return box;
}

}  // namespace scenario::tool
