#include "scenario_tool/plot/profile.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "scenario_tool/plot/labels.h"
#include "scenario_tool/plot/profile_curves.h"
#include "scenario_tool/plot/profile_features.h"
#include "scenario_tool/plot/profile_layout.h"
#include "scenario_tool/plot/profile_legend.h"
#include "scenario_tool/scenario/position_text.h"
#include "scenario_tool/scenario/table_views.h"
#include "scenario_tool/scenario/track_views.h"

namespace scenario::tool {

namespace {

constexpr double kLeastTickMetres = 100;
constexpr double kLabelGap = 16;  // units between two kilometre labels at least
constexpr double kLeastMinorGap = 5;
constexpr double kNameSize = 13;
constexpr std::size_t kLongestName = 19;  // code points that fit above the panels

bool starts_code_point(char c) { return (static_cast<unsigned char>(c) & 0xC0u) != 0x80u; }

// A name too long for its place, cut with an ellipsis (the tooltip holds it whole).
std::string shortened(const std::string& name) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (starts_code_point(name[i])) starts.push_back(i);
  }
  if (starts.size() <= kLongestName) return name;
  return name.substr(0, starts[kLongestName - 1]) + "\u2026";
}

// The widest label of the kilometre ticks every `step` metres.
double widest_label(const ProfileLayout& layout, double step) {
  double widest = 0;
  for (double m : ticks(layout.from_m, layout.to_m, step)) {
    widest = std::max(widest, text_width(svg_number(m / 1000), page::label_size, false));
  }
  return widest;
}

// The kilometre ticks, spaced for their widest label: a longer step has no longer labels, so a
// few rounds settle it.
double major_step(const ProfileLayout& layout) {
  const double span = layout.to_m - layout.from_m;
  const double width = layout.right - layout.left;
  double step = kLeastTickMetres;
  for (int round = 0; round < 8; ++round) {
    const double next =
        spaced_step(span, width, widest_label(layout, step) + kLabelGap, kLeastTickMetres);
    if (next <= step) break;
    step = next;
  }
  return step;
}

void draw_distance_axis(Svg& svg, const ProfileLayout& layout) {
  const double major = major_step(layout);
  const double minor = major / 5;
  const double units_per_metre = (layout.right - layout.left) / (layout.to_m - layout.from_m);
  if (minor * units_per_metre >= kLeastMinorGap) {
    for (double m : ticks(layout.from_m, layout.to_m, minor)) {
      const double x = layout.x_of(m);
      svg.line(Point{x, layout.axis_y}, Point{x, layout.axis_y + 4},
               {{"stroke", page::ink}, {"stroke-width", "1"}});
    }
  }
  for (double m : ticks(layout.from_m, layout.to_m, major)) {
    const double x = layout.x_of(m);
    svg.line(Point{x, layout.panels_top()}, Point{x, layout.panels_bottom()},
             {{"stroke", "#bbbbbb"}, {"stroke-width", "0.8"}, {"stroke-dasharray", "2 3"}});
    svg.open("g", {{"class", "km-tick"}});
    svg.line(Point{x, layout.axis_y}, Point{x, layout.axis_y + 8},
             {{"stroke", page::ink}, {"stroke-width", "1.5"}});
    svg.text(Point{x, layout.axis_y + 24}, svg_number(m / 1000),
             {{"class", "km-label"},
              {"font-size", svg_number(page::label_size)},
              {"fill", page::ink},
              {"text-anchor", "middle"}});
    svg.close();
  }
  svg.text(Point{(layout.left + layout.right) / 2, layout.axis_y + 48},
           "distance along the track (km)",
           {{"font-size", svg_number(page::label_size)},
            {"fill", page::ink},
            {"text-anchor", "middle"}});
}

std::string station_tooltip(const SimRecord& r) {
  return r.name + ": position " + km_position(r.pos_m) + ", zone " + km_position(r.start_m) +
         " to " + km_position(r.end_m) + ", time " + time_of_day_text(r.time_s);
}

// The band of the zone, and the name upright above the panels when `named`.
void draw_station_band(Svg& svg, const ProfileLayout& layout, const SimRecord& r, bool named) {
  const double x0 = layout.x_of(r.start_m);
  const double x1 = std::max(layout.x_of(r.end_m), x0 + 2);
  const double x = layout.x_of(r.pos_m);
  svg.open("g", {{"class", "station-band"}});
  svg.title(station_tooltip(r));
  svg.rect(x0, layout.panels_top(), x1 - x0, layout.panels_bottom() - layout.panels_top(),
           {{"fill", page::station_band}, {"fill-opacity", "0.22"}});
  if (layout.shows(r.pos_m)) {
    svg.line(Point{x, layout.names.bottom}, Point{x, layout.panels_bottom()},
             {{"stroke", page::station_band}, {"stroke-width", "1"}, {"stroke-opacity", "0.8"}});
  }
  if (named) {
    const Point at{x + kNameSize * 0.35, layout.names.bottom - 4};
    svg.text(at, shortened(r.name),
             {{"class", "station-name"},
              {"font-size", svg_number(kNameSize)},
              {"font-weight", "bold"},
              {"fill", "#163e75"},
              {"transform", "rotate(-90 " + svg_number(at.x) + ' ' + svg_number(at.y) + ')'}});
  }
  svg.close();
}

// Names stand upright, a line of text wide: a name closer than that to the one before is left to
// the band's tooltip.
void draw_stations(Svg& svg, const ProfileLayout& layout, const PlotScene& scene,
                   std::vector<std::string>& notes) {
  if (scene.table == nullptr) {
    notes.push_back("no table file: the stations are not drawn on the profile");
    return;
  }
  std::vector<double> named_at;
  for (int e : station_entries(*scene.table)) {
    const SimRecord& r = (*scene.table)[static_cast<std::size_t>(e)];
    if (!layout.overlaps(r.start_m, r.end_m)) continue;
    const double x = layout.x_of(r.pos_m);
    const bool named =
        layout.shows(r.pos_m) && std::none_of(named_at.begin(), named_at.end(), [&](double other) {
          return std::fabs(x - other) < kNameSize * 1.2;
        });
    if (named) named_at.push_back(x);
    draw_station_band(svg, layout, r, named);
  }
}

void draw_route_end(Svg& svg, const ProfileLayout& layout, const PlotScene& scene) {
  const auto end = route_end_m(scene);
  if (!end || *end <= 0 || !layout.shows(*end) || *end == layout.to_m) return;
  const double x = layout.x_of(*end);
  const std::string text = "end of route";
  // Its words go before the line where they would leave the panels.
  const bool before = x + 8 + text_width(text, page::small_size, false) > layout.right;
  svg.open("g", {{"class", "route-end"}});
  svg.line(Point{x, layout.panels_top()}, Point{x, layout.panels_bottom()},
           {{"stroke", page::route_end_ink}, {"stroke-width", "2"}, {"stroke-dasharray", "6 4"}});
  svg.text(Point{before ? x - 5 : x + 5, layout.elevation.top + 16}, text,
           {{"font-size", svg_number(page::small_size)},
            {"fill", page::route_end_ink},
            {"text-anchor", before ? "end" : "start"}});
  svg.close();
}

}  // namespace

ProfileLayout profile_layout(double from_m, double to_m) {
  ProfileLayout layout;
  layout.from_m = from_m;
  layout.to_m = std::max(to_m, from_m + 1);
  return layout;
}

std::string profile_svg(const PlotScene& scene, double from_m, double to_m,
                        std::vector<std::string>& notes) {
  const std::vector<TrackCell>& track = *scene.track;
  const ProfileLayout layout = profile_layout(from_m, to_m);
  const double length = static_cast<double>(cell_start_m(static_cast<std::int64_t>(track.size())));
  std::string subtitle =
      "Elevation from the gradient of each 50 m cell of the track file, starting at 0 m; "
      "stations from the table file";
  if (from_m > 0 || to_m < length) {
    subtitle += "; " + km_position(from_m) + " to " + km_position(to_m) + " of a track ending at " +
                km_position(length);
  }
  Svg svg =
      titled_page(scene, "profile of the line",
                  "Profile of the line drawn from the compiled track and table files.", subtitle);
  draw_poor_adhesion(svg, layout, track);
  draw_elevation_panel(svg, layout, track);
  draw_speed_panel(svg, layout, track);
  draw_feature_lanes(svg, layout, track, scene.table, scene.line);
  draw_stations(svg, layout, scene, notes);
  draw_route_end(svg, layout, scene);
  draw_distance_axis(svg, layout);
  draw_profile_legend(svg, layout);
  return svg.finish();
}

}  // namespace scenario::tool
