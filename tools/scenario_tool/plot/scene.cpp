#include "scenario_tool/plot/scene.h"

#include "format/table_entries.h"
#include "scenario_tool/plot/page.h"
#include "scenario_tool/scenario/table_views.h"

namespace scenario::tool {

std::vector<StationMark> station_marks(const PlotScene& scene) {
  std::vector<StationMark> out;
  if (scene.table == nullptr) return out;
  for (int e : station_entries(*scene.table)) {
    const SimRecord& r = (*scene.table)[static_cast<std::size_t>(e)];
    out.push_back(StationMark{e, r.name, r.pos_m, r.start_m, r.end_m});
  }
  return out;
}

std::optional<std::int32_t> route_end_m(const PlotScene& scene) {
  if (scene.table == nullptr) return std::nullopt;
  return entries::route_length_m(*scene.table);
}

std::string plot_title(const PlotScene& scene, const std::string& what) {
  std::string title = scene.route.empty() ? "Unnamed route" : scene.route;
  if (!scene.train.empty()) title += ", train " + scene.train;
  const auto stations = station_marks(scene);
  if (stations.size() >= 2) {
    title += " (" + stations.front().name + " \u2013 " + stations.back().name + ")";
  }
  return title + ": " + what;
}

Svg titled_page(const PlotScene& scene, const std::string& what, std::string_view description,
                std::string_view subtitle) {
  const std::string title = plot_title(scene, what);
  Svg svg(page::width, page::height, page::width_mm, page::height_mm, title, description);
  svg.text(Point{40, page::title_y}, title,
           {{"class", "title"},
            {"font-size", svg_number(page::title_size)},
            {"font-weight", "bold"},
            {"fill", page::ink}});
  svg.text(Point{40, page::subtitle_y}, subtitle,
           {{"font-size", svg_number(page::subtitle_size)}, {"fill", page::faint_ink}});
  return svg;
}

}  // namespace scenario::tool
