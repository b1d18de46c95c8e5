#include "scenario_tool/plot/pictures.h"

#include "platform/paths.h"
#include "scenario_tool/plot/plan.h"
#include "scenario_tool/plot/profile.h"

namespace scenario::tool {

namespace {

constexpr std::string_view kLineEnding = "_linea.dat";

// The route and the train: as the table stores them, else as the file names tell.
void name_scene(PlotScene& scene, const ScenarioFiles& files) {
  if (scene.table) {
    scene.route = (*scene.table)[table_entry::route].name;
    scene.train = (*scene.table)[table_entry::codes].name;
    return;
  }
  const std::string stem = default_prefix(files);
  const auto split = stem.rfind('_');
  const bool has_train = files[FileRole::track] || files[FileRole::table];
  scene.route = has_train && split != std::string::npos ? stem.substr(0, split) : stem;
  scene.train = has_train && split != std::string::npos ? stem.substr(split + 1) : "";
}

PlotScene scene_of(const LoadedScenario& s, const ScenarioFiles& files) {
  PlotScene scene;
  scene.track = s.track ? &*s.track : nullptr;
  scene.table = s.table ? &*s.table : nullptr;
  scene.line = s.line ? &*s.line : nullptr;
  name_scene(scene, files);
  return scene;
}

}  // namespace

std::vector<Picture> draw_pictures(const LoadedScenario& loaded, const ScenarioFiles& files,
                                   const std::string& prefix, std::vector<std::string>& notes) {
  const PlotScene scene = scene_of(loaded, files);
  std::vector<Picture> pictures;
  if (scene.line == nullptr) {
    notes.push_back("the plan is not drawn: it needs the line file");
  } else if (auto svg = plan_svg(scene, notes)) {
    pictures.push_back({prefix + "_plan.svg", std::move(*svg)});
  }
  if (scene.track == nullptr) {
    notes.push_back("the profile is not drawn: it needs the track file");
  } else {
    pictures.push_back({prefix + "_profile.svg", profile_svg(scene, notes)});
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
