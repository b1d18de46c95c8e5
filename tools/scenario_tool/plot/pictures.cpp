#include "scenario_tool/plot/pictures.h"

#include <algorithm>
#include <cmath>

#include "format/constants.h"
#include "format/table_entries.h"
#include "platform/paths.h"
#include "scenario_tool/plot/plan.h"
#include "scenario_tool/plot/profile.h"
#include "scenario_tool/scenario/position_text.h"

namespace scenario::tool {

namespace {

constexpr std::string_view kLineEnding = "_linea.dat";
constexpr std::size_t kMostPages = 999;

// The route and the train: as the table stores them, else as the file names tell.
void name_scene(PlotScene& scene, const ScenarioFiles& files) {
  if (scene.table) {
    scene.route = entries::route_id(*scene.table);
    scene.train = entries::train_number(*scene.table);
    return;
  }
  const std::string stem = default_prefix(files);
  const auto split = stem.rfind('_');
  const bool has_train = files[FileRole::track] || files[FileRole::table];
  scene.route = has_train && split != std::string::npos ? stem.substr(0, split) : stem;
  scene.train = has_train && split != std::string::npos ? stem.substr(split + 1) : "";
}

}  // namespace

PlotScene plot_scene(const LoadedScenario& s, const ScenarioFiles& files) {
  PlotScene scene;
  scene.track = s.track ? &*s.track : nullptr;
  scene.table = s.table ? &*s.table : nullptr;
  scene.line = s.line ? &*s.line : nullptr;
  name_scene(scene, files);
  return scene;
}

std::vector<Picture> draw_pictures(const LoadedScenario& loaded, const ScenarioFiles& files,
                                   const std::string& prefix, const PlotStretch& stretch,
                                   std::vector<std::string>& notes) {
  const PlotScene scene = plot_scene(loaded, files);
  std::vector<Picture> pictures;
  const double from = stretch.from_m.value_or(0);
  if (scene.line == nullptr) {
    notes.push_back("the plan is not drawn: it needs the line file");
  } else {
    const auto last = static_cast<double>(scene.line->last_m());
    const MetreRange metres{
        static_cast<std::int64_t>(std::floor(from)),
        static_cast<std::int64_t>(std::ceil(std::min(stretch.to_m.value_or(last), last)))};
    if (auto svg = plan_svg(scene, metres, notes)) {
      pictures.push_back({prefix + "_plan.svg", std::move(*svg)});
    }
  }
  if (scene.track == nullptr) {
    notes.push_back("the profile is not drawn: it needs the track file");
    return pictures;
  }
  const double length = static_cast<double>(scene.track->size()) * cell_metres;
  double to = stretch.to_m.value_or(length);
  if (to > length) {
    notes.push_back("the track ends at " + km_position(length) + ": the profile stops there");
    to = length;
  }
  if (from >= to) {
    notes.push_back("the profile is not drawn: the stretch asked for lies beyond the track");
    return pictures;
  }
  if (!stretch.page_m) {
    pictures.push_back({prefix + "_profile.svg", profile_svg(scene, from, to, notes)});
    return pictures;
  }
  const auto count = static_cast<std::size_t>(std::ceil((to - from) / *stretch.page_m - 1e-9));
  if (count > kMostPages) {
    notes.push_back("the profile is not drawn: it would take " + std::to_string(count) +
                    " pages, more than " + std::to_string(kMostPages));
    return pictures;
  }
  const std::size_t digits = std::max<std::size_t>(2, std::to_string(count).size());
  for (std::size_t k = 0; k < count; ++k) {
    const double a = from + static_cast<double>(k) * *stretch.page_m;
    const double b = std::min(a + *stretch.page_m, to);
    std::string number = std::to_string(k + 1);
    number.insert(0, digits - number.size(), '0');
    pictures.push_back({prefix + "_profile_" + number + ".svg", profile_svg(scene, a, b, notes)});
  }
  return pictures;
}

std::string default_prefix(const ScenarioFiles& files) {
  for (FileRole role : {FileRole::track, FileRole::table}) {
    if (files[role]) return file_stem(files[role]->path);
  }
  if (!files[FileRole::line]) return "scenario";
  const std::string name = file_name(files[FileRole::line]->path);
  const std::string route = name.substr(0, name.size() - kLineEnding.size());
  return route.empty() ? "scenario" : route;
}

}  // namespace scenario::tool
