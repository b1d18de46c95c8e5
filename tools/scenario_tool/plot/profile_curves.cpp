#include "scenario_tool/plot/profile_curves.h"

#include <algorithm>
#include <cmath>

#include "scenario_tool/plot/track_series.h"
#include "scenario_tool/scenario/position_text.h"

namespace scenario::tool {

namespace {

struct Axis {
  double lo = 0;
  double hi = 1;
  double step = 1;
};

// Round limits around [lo, hi], at least `least` apart.
Axis axis_around(double lo, double hi, double least, int count) {
  if (hi - lo < least) {
    const double mid = (lo + hi) / 2;
    lo = mid - least / 2;
    hi = mid + least / 2;
  }
  const double step = nice_step(hi - lo, count);
  return Axis{floor_to(lo, step), ceil_to(hi, step), step};
}

void draw_y_axis(Svg& svg, const ProfileLayout& layout, const Band& band, const Axis& axis,
                 const std::string& name, const std::string& title) {
  const LinearScale y(axis.lo, axis.hi, band.bottom, band.top);
  for (double v : ticks(axis.lo, axis.hi, axis.step)) {
    svg.open("g", {{"class", "tick-" + name}});
    svg.line(Point{layout.left - 5, y(v)}, Point{layout.right, y(v)},
             {{"stroke", v == 0 ? "#9a9a9a" : "#dddddd"}, {"stroke-width", "1"}});
    svg.text(
        Point{layout.left - 9, y(v) + page::small_size * 0.35}, svg_number(v),
        {{"font-size", svg_number(page::small_size)}, {"fill", page::ink}, {"text-anchor", "end"}});
    svg.close();
  }
  const Point at{layout.left - 58, (band.top + band.bottom) / 2};
  svg.text(at, title,
           {{"font-size", svg_number(page::label_size)},
            {"fill", page::ink},
            {"text-anchor", "middle"},
            {"transform", "rotate(-90 " + svg_number(at.x) + ' ' + svg_number(at.y) + ')'}});
  svg.rect(layout.left, band.top, layout.right - layout.left, band.height(),
           {{"fill", "none"}, {"stroke", "#888888"}, {"stroke-width", "1"}});
}

Axis elevation_axis(const std::vector<std::vector<ElevationVertex>>& pieces) {
  double lo = 0;
  double hi = 0;
  for (const auto& piece : pieces) {
    for (const ElevationVertex& v : piece) {
      lo = std::min(lo, v.elevation);
      hi = std::max(hi, v.elevation);
    }
  }
  return axis_around(lo, hi, 2, 5);
}

ElevationVertex between(const ElevationVertex& a, const ElevationVertex& b, double metres) {
  const double t = b.metres > a.metres ? (metres - a.metres) / (b.metres - a.metres) : 0;
  return {metres, a.elevation + t * (b.elevation - a.elevation)};
}

// The part of a piece within the stretch drawn, its ends cut where the stretch ends.
std::vector<ElevationVertex> clipped(const std::vector<ElevationVertex>& piece,
                                     const ProfileLayout& layout) {
  std::vector<ElevationVertex> out;
  for (std::size_t i = 0; i < piece.size(); ++i) {
    const ElevationVertex& v = piece[i];
    if (i > 0 && piece[i - 1].metres < layout.from_m && v.metres > layout.from_m) {
      out.push_back(between(piece[i - 1], v, layout.from_m));
    }
    if (layout.shows(v.metres)) out.push_back(v);
    if (i > 0 && piece[i - 1].metres < layout.to_m && v.metres > layout.to_m) {
      out.push_back(between(piece[i - 1], v, layout.to_m));
    }
  }
  return out;
}

std::vector<std::vector<ElevationVertex>> clipped_pieces(const std::vector<TrackCell>& track,
                                                         const ProfileLayout& layout) {
  std::vector<std::vector<ElevationVertex>> out;
  for (const auto& piece : elevation_pieces(track)) {
    auto part = clipped(piece, layout);
    if (part.size() >= 2) out.push_back(std::move(part));
  }
  return out;
}

// The stretches within the stretch drawn, cut at its ends.
std::vector<Stretch> within(const std::vector<Stretch>& stretches, const ProfileLayout& layout) {
  std::vector<Stretch> out;
  for (Stretch s : stretches) {
    if (!layout.overlaps(static_cast<double>(s.start_m), static_cast<double>(s.end_m))) continue;
    s.start_m = std::max(s.start_m, static_cast<std::int64_t>(std::ceil(layout.from_m)));
    s.end_m = std::min(s.end_m, static_cast<std::int64_t>(std::floor(layout.to_m)));
    if (s.end_m > s.start_m) out.push_back(s);
  }
  return out;
}

void draw_elevation_piece(Svg& svg, const ProfileLayout& layout, const LinearScale& y,
                          const std::vector<ElevationVertex>& piece, double floor_y) {
  std::vector<Point> points;
  for (const ElevationVertex& v : piece) points.push_back({layout.x_of(v.metres), y(v.elevation)});
  std::vector<Point> area = points;
  area.push_back({points.back().x, floor_y});
  area.push_back({points.front().x, floor_y});
  svg.polygon(area, {{"class", "elevation-area"}, {"fill", "#d9c7a3"}, {"fill-opacity", "0.55"}});
  svg.polyline(points, {{"class", "elevation"},
                        {"fill", "none"},
                        {"stroke", page::elevation_ink},
                        {"stroke-width", "2.5"},
                        {"stroke-linejoin", "round"}});
}

// The stretches that follow one another without a gap, as one step line each.
std::vector<std::vector<Stretch>> joined(const std::vector<Stretch>& stretches) {
  std::vector<std::vector<Stretch>> out;
  for (const Stretch& s : stretches) {
    if (out.empty() || out.back().back().end_m != s.start_m) out.emplace_back();
    out.back().push_back(s);
  }
  return out;
}

void draw_speed_steps(Svg& svg, const ProfileLayout& layout, const LinearScale& y,
                      const std::vector<Stretch>& steps) {
  std::vector<Point> points;
  for (const Stretch& s : steps) {
    const double v = y(s.value);
    points.push_back({layout.x_of(static_cast<double>(s.start_m)), v});
    points.push_back({layout.x_of(static_cast<double>(s.end_m)), v});
  }
  svg.polyline(points, {{"class", "speed"},
                        {"fill", "none"},
                        {"stroke", page::speed_ink},
                        {"stroke-width", "2.5"},
                        {"stroke-linejoin", "miter"}});
}

// The value over each step wide enough to hold it.
void label_speed_steps(Svg& svg, const ProfileLayout& layout, const LinearScale& y,
                       const std::vector<Stretch>& steps) {
  for (const Stretch& s : steps) {
    const double x0 = layout.x_of(static_cast<double>(s.start_m));
    const double x1 = layout.x_of(static_cast<double>(s.end_m));
    if (x1 - x0 < 24) continue;
    svg.text(Point{(x0 + x1) / 2, y(s.value) - 5}, std::to_string(s.value),
             {{"class", "speed-value"},
              {"font-size", svg_number(page::small_size)},
              {"fill", page::speed_ink},
              {"text-anchor", "middle"}});
  }
}

}  // namespace

void draw_poor_adhesion(Svg& svg, const ProfileLayout& layout,
                        const std::vector<TrackCell>& track) {
  for (const Stretch& s : within(poor_adhesion_stretches(track), layout)) {
    const double x0 = layout.x_of(static_cast<double>(s.start_m));
    const double x1 = layout.x_of(static_cast<double>(s.end_m));
    svg.open("g", {{"class", "poor-adhesion"}, {"fill", page::poor_adhesion_tint}});
    svg.title("adhesion " + std::to_string(s.value) + " from " + km_position(s.start_m) + " to " +
              km_position(s.end_m));
    for (const Band& b : {layout.elevation, layout.speed}) {
      svg.rect(x0, b.top, x1 - x0, b.height(), {});
    }
    if (x1 - x0 > 150) {
      svg.text(Point{x0 + 6, layout.elevation.top + 16},
               "poor adhesion (" + std::to_string(s.value) + ")",
               {{"font-size", svg_number(page::small_size)}, {"fill", "#7a5c00"}});
    }
    svg.close();
  }
}

void draw_elevation_panel(Svg& svg, const ProfileLayout& layout,
                          const std::vector<TrackCell>& track) {
  const auto pieces = clipped_pieces(track, layout);
  const Axis axis = elevation_axis(pieces);
  const LinearScale y(axis.lo, axis.hi, layout.elevation.bottom, layout.elevation.top);
  draw_y_axis(svg, layout, layout.elevation, axis, "elevation", "elevation (m)");
  for (const auto& piece : pieces) {
    draw_elevation_piece(svg, layout, y, piece, layout.elevation.bottom);
  }
}

void draw_speed_panel(Svg& svg, const ProfileLayout& layout, const std::vector<TrackCell>& track) {
  const auto steps = within(speed_stretches(track), layout);
  double top = 0;
  for (const Stretch& s : steps) top = std::max(top, static_cast<double>(s.value));
  // Room above the highest step for its value.
  const double step = nice_step(std::max(top, 10.0), 4);
  const Axis axis{0, ceil_to(std::max(top * 1.1, 10.0), step), step};
  const LinearScale y(axis.lo, axis.hi, layout.speed.bottom, layout.speed.top);
  draw_y_axis(svg, layout, layout.speed, axis, "speed", "speed limit (km/h)");
  for (const auto& run : joined(steps)) draw_speed_steps(svg, layout, y, run);
  label_speed_steps(svg, layout, y, steps);
}

}  // namespace scenario::tool
