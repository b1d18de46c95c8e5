#include "scenario_tool/plot/profile.h"

#include <algorithm>
#include <vector>

#include "scenario_tool/plot/profile_curves.h"
#include "scenario_tool/plot/profile_features.h"
#include "scenario_tool/plot/profile_layout.h"
#include "scenario_tool/plot/profile_legend.h"
#include "scenario_tool/scenario/table_views.h"
#include "scenario_tool/scenario/track_views.h"

namespace scenario::tool {

namespace {

constexpr double kMajorTickMetres = 5000;
constexpr double kMinorTickMetres = 1000;
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

void draw_distance_axis(Svg& svg, const ProfileLayout& layout) {
  for (double m : ticks(0, layout.length_m, kMinorTickMetres)) {
    const double x = layout.x_of(m);
    svg.line(Point{x, layout.axis_y}, Point{x, layout.axis_y + 4},
             {{"stroke", page::ink}, {"stroke-width", "1"}});
  }
  for (double m : ticks(0, layout.length_m, kMajorTickMetres)) {
    const double x = layout.x_of(m);
    svg.line(Point{x, layout.panels_top()}, Point{x, layout.panels_bottom()},
             {{"stroke", "#bbbbbb"}, {"stroke-width", "0.8"}, {"stroke-dasharray", "2 3"}});
    svg.open("g", {{"class", "km-tick"}});
    svg.line(Point{x, layout.axis_y}, Point{x, layout.axis_y + 8},
             {{"stroke", page::ink}, {"stroke-width", "1.5"}});
    svg.text(Point{x, layout.axis_y + 24}, svg_number(m / 1000),
             {{"font-size", svg_number(page::label_size)},
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
  return r.name + ": position " + svg_number(r.pos_m / 1000.0) + " km, zone " +
         svg_number(r.start_m / 1000.0) + " to " + svg_number(r.end_m / 1000.0) + " km, time " +
         time_of_day_text(r.time_s);
}

void draw_station_band(Svg& svg, const ProfileLayout& layout, const SimRecord& r) {
  const double x0 = layout.x_of(r.start_m);
  const double x1 = std::max(layout.x_of(r.end_m), x0 + 2);
  const double x = layout.x_of(r.pos_m);
  svg.open("g", {{"class", "station-band"}});
  svg.title(station_tooltip(r));
  svg.rect(x0, layout.panels_top(), x1 - x0, layout.panels_bottom() - layout.panels_top(),
           {{"fill", page::station_band}, {"fill-opacity", "0.22"}});
  svg.line(Point{x, layout.names.bottom}, Point{x, layout.panels_bottom()},
           {{"stroke", page::station_band}, {"stroke-width", "1"}, {"stroke-opacity", "0.8"}});
  const Point at{x + kNameSize * 0.35, layout.names.bottom - 4};
  svg.text(at, shortened(r.name),
           {{"font-size", svg_number(kNameSize)},
            {"font-weight", "bold"},
            {"fill", "#163e75"},
            {"transform", "rotate(-90 " + svg_number(at.x) + ' ' + svg_number(at.y) + ')'}});
  svg.close();
}

void draw_stations(Svg& svg, const ProfileLayout& layout, const PlotScene& scene,
                   std::vector<std::string>& notes) {
  if (scene.table == nullptr) {
    notes.push_back("no table file: the stations are not drawn on the profile");
    return;
  }
  for (int e : station_entries(*scene.table)) {
    draw_station_band(svg, layout, (*scene.table)[static_cast<std::size_t>(e)]);
  }
}

void draw_route_end(Svg& svg, const ProfileLayout& layout, const PlotScene& scene) {
  const auto end = route_end_m(scene);
  if (!end || *end <= 0 || *end >= layout.length_m) return;
  const double x = layout.x_of(*end);
  svg.open("g", {{"class", "route-end"}});
  svg.line(Point{x, layout.panels_top()}, Point{x, layout.panels_bottom()},
           {{"stroke", page::route_end_ink}, {"stroke-width", "2"}, {"stroke-dasharray", "6 4"}});
  svg.text(Point{x + 5, layout.elevation.top + 16}, "end of route",
           {{"font-size", svg_number(page::small_size)}, {"fill", page::route_end_ink}});
  svg.close();
}

}  // namespace

ProfileLayout profile_layout(const std::vector<TrackCell>& track) {
  ProfileLayout layout;
  layout.length_m = static_cast<double>(cell_start_m(static_cast<std::int64_t>(track.size())));
  return layout;
}

std::string profile_svg(const PlotScene& scene, std::vector<std::string>& notes) {
  const std::vector<TrackCell>& track = *scene.track;
  const ProfileLayout layout = profile_layout(track);
  Svg svg = titled_page(
      scene, "profile of the line",
      "Profile of the line drawn from the compiled track and table files.",
      "Elevation from the gradient of each 50 m cell of the track file, starting at 0 m; "
      "stations from the table file");
  draw_poor_adhesion(svg, layout, track);
  draw_elevation_panel(svg, layout, track);
  draw_speed_panel(svg, layout, track);
  draw_feature_lanes(svg, layout, track, scene.table);
  draw_stations(svg, layout, scene, notes);
  draw_route_end(svg, layout, scene);
  draw_distance_axis(svg, layout);
  draw_profile_legend(svg, layout);
  return svg.finish();
}

}  // namespace scenario::tool
