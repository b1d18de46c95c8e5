#include "scenario_tool/plot/profile_features.h"

#include <algorithm>
#include <cmath>

#include "scenario_tool/plot/feature_words.h"
#include "scenario_tool/plot/symbols.h"
#include "scenario_tool/plot/track_series.h"
#include "scenario_tool/scenario/cell_meaning.h"
#include "scenario_tool/scenario/curve_views.h"
#include "scenario_tool/scenario/position_text.h"
#include "scenario_tool/scenario/track_views.h"

namespace scenario::tool {

namespace {

enum Lane { curves, signals, boards, slowdowns, codes, signboards, tunnels, lane_count };

double lane_middle(const ProfileLayout& layout, Lane lane) {
  return layout.features.top + layout.lane_height * (static_cast<double>(lane) + 0.5);
}

double cell_x(const ProfileLayout& layout, std::size_t cell) {
  return layout.x_of(static_cast<double>(cell_start_m(static_cast<std::int64_t>(cell))));
}

std::string km_of_cell(std::size_t cell) {
  return km_position(cell_start_m(static_cast<std::int64_t>(cell)));
}

// The cell, its km and what its values mean, in the words of the format reference.
std::string tooltip(const TrackCell& c, std::size_t cell, const SimTable* table) {
  return feature_words(c.kind, cell, meaning_of(c, table));
}

void symbols_of_kind(Svg& svg, const ProfileLayout& layout, const std::vector<TrackCell>& track,
                     const SimTable* table, std::uint8_t kind, Symbol symbol, Lane lane) {
  for (std::size_t i : cells_of_kind(track, kind)) {
    if (!layout.shows(static_cast<double>(cell_start_m(static_cast<std::int64_t>(i))))) continue;
    draw_symbol(svg, symbol, Point{cell_x(layout, i), lane_middle(layout, lane)},
                tooltip(track[i], i, table));
  }
}

// A label after a bar, or before it when the bar ends near the right edge.
void bar_label(Svg& svg, const ProfileLayout& layout, double x0, double x1, double y,
               const std::string& text, const char* ink) {
  const bool before = x1 + 60 > layout.right;
  svg.text(Point{before ? x0 - 4 : x1 + 4, y + page::small_size * 0.35}, text,
           {{"font-size", svg_number(page::small_size)},
            {"fill", ink},
            {"text-anchor", before ? "end" : "start"}});
}

// A bar from the start cell to the end cell, at least a few units wide, with the speed.
void draw_slowdown(Svg& svg, const ProfileLayout& layout, const SlowdownSpan& s) {
  if (!layout.overlaps(static_cast<double>(cell_start_m(static_cast<std::int64_t>(s.start_cell))),
                       static_cast<double>(cell_start_m(static_cast<std::int64_t>(s.end_cell))))) {
    return;
  }
  const double x0 = cell_x(layout, s.start_cell);
  const double x1 = std::max(cell_x(layout, s.end_cell), x0 + 4);
  const double y = lane_middle(layout, slowdowns);
  svg.open("g", {{"class", "slowdown"}});
  svg.title("slowdown at " + std::to_string(s.speed_kmh) + " km/h from " +
            km_of_cell(s.start_cell) + " to " + km_of_cell(s.end_cell));
  svg.rect(x0, y - 5, x1 - x0, 10,
           {{"fill", page::slowdown_fill}, {"stroke", page::slowdown_ink}, {"stroke-width", "1"}});
  bar_label(svg, layout, x0, x1, y, std::to_string(s.speed_kmh), page::slowdown_ink);
  svg.close();
}

void draw_tunnel_bars(Svg& svg, const ProfileLayout& layout, const std::vector<TrackCell>& track) {
  const double y = lane_middle(layout, tunnels);
  for (const Stretch& t : tunnel_stretches(track)) {
    if (!layout.overlaps(static_cast<double>(t.start_m), static_cast<double>(t.end_m))) continue;
    const double x0 = layout.x_of(static_cast<double>(t.start_m));
    const double x1 = std::max(layout.x_of(static_cast<double>(t.end_m)), x0 + 4);
    svg.open("g", {{"class", "tunnel"}});
    svg.title("tunnel of type " + std::to_string(t.value) + " from " + km_position(t.start_m) +
              " to " + km_position(t.end_m));
    svg.rect(x0, y - 6, x1 - x0, 12, {{"fill", page::tunnel_ink}});
    bar_label(svg, layout, x0, x1, y, "type " + std::to_string(t.value), page::tunnel_ink);
    svg.close();
  }
}

// Each curve a bar, above the lane's middle for a right-hand curve and below it for a left-hand
// one, the taller the sharper, with its radius where there is room.
void draw_curve_bars(Svg& svg, const ProfileLayout& layout, const LineGeometry& line) {
  const double middle = lane_middle(layout, curves);
  svg.line(Point{layout.left, middle}, Point{layout.right, middle},
           {{"stroke", "#999999"}, {"stroke-width", "0.8"}});
  for (const CurveStretch& c : line_curves(line).curves) {
    const auto start = static_cast<double>(c.start_m);
    const auto end = static_cast<double>(c.end_m);
    if (!layout.overlaps(start, end)) continue;
    const double x0 = layout.x_of(start);
    const double x1 = std::max(layout.x_of(end), x0 + 1.5);
    const double h = 2 + c.curve_class * 1.6;
    const std::string side = side_name(c.side);
    svg.open("g", {{"class", "curve"}});
    svg.title(side + "-hand curve of class " + std::to_string(c.curve_class) + ", radius " +
              svg_number(std::round(c.radius_m)) + " m, from " + km_position(c.start_m) + " to " +
              km_position(c.end_m));
    svg.rect(x0, c.side > 0 ? middle - h : middle, x1 - x0, h,
             {{"fill", page::curve_ink}, {"fill-opacity", svg_number(0.35 + c.curve_class * 0.1)}});
    if (x1 - x0 > 50) {
      svg.text(Point{x0 + 2, c.side > 0 ? middle + 9 : middle - 3},
               "R " + svg_number(std::round(c.radius_m)),
               {{"font-size", "9"}, {"fill", page::ink}});
    }
    svg.close();
  }
}

void draw_lane_frames(Svg& svg, const ProfileLayout& layout) {
  const auto names = feature_lane_names();
  for (int lane = 0; lane < lane_count; ++lane) {
    const double top = layout.features.top + layout.lane_height * static_cast<double>(lane);
    svg.rect(layout.left, top, layout.right - layout.left, layout.lane_height,
             {{"fill", lane % 2 == 0 ? "#f7f7f7" : "white"}, {"fill-opacity", "0.7"}});
    svg.text(
        Point{layout.left - 9, top + layout.lane_height / 2 + page::small_size * 0.35},
        names[static_cast<std::size_t>(lane)],
        {{"font-size", svg_number(page::small_size)}, {"fill", page::ink}, {"text-anchor", "end"}});
  }
  svg.rect(layout.left, layout.features.top, layout.right - layout.left, layout.features.height(),
           {{"fill", "none"}, {"stroke", "#888888"}, {"stroke-width", "1"}});
}

}  // namespace

std::vector<std::string> feature_lane_names() {
  return {"curves",       "signals",    "speed boards", "slowdowns",
          "code markers", "signboards", "tunnels"};
}

void draw_feature_lanes(Svg& svg, const ProfileLayout& layout, const std::vector<TrackCell>& track,
                        const SimTable* table, const LineGeometry* line) {
  draw_lane_frames(svg, layout);
  if (line != nullptr) draw_curve_bars(svg, layout, *line);
  symbols_of_kind(svg, layout, track, table, cell_kind::signal, Symbol::signal, signals);
  symbols_of_kind(svg, layout, track, table, cell_kind::speed_board, Symbol::speed_board, boards);
  for (const SlowdownSpan& s : slowdown_spans(track)) draw_slowdown(svg, layout, s);
  symbols_of_kind(svg, layout, track, table, cell_kind::slowdown_warning, Symbol::slowdown_warning,
                  slowdowns);
  symbols_of_kind(svg, layout, track, table, cell_kind::code_cut, Symbol::code_marker, codes);
  symbols_of_kind(svg, layout, track, table, cell_kind::code_cut_zero, Symbol::code_zero, codes);
  symbols_of_kind(svg, layout, track, table, cell_kind::signboard, Symbol::signboard, signboards);
  draw_tunnel_bars(svg, layout, track);
}

}  // namespace scenario::tool
