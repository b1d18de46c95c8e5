#include "scenario_tool/plot_scene.h"

#include "scenario_tool/table_views.h"

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
  return (*scene.table)[table_entry::train].end_m;
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

}  // namespace scenario::tool
