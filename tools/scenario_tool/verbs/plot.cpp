#include "scenario_tool/verbs/plot.h"

#include <filesystem>
#include <variant>

#include "platform/replace_files.h"
#include "scenario_tool/plot/plan.h"
#include "scenario_tool/plot/profile.h"
#include "scenario_tool/scenario/scenario_load.h"

namespace scenario::tool {

namespace {

constexpr std::string_view kLineEnding = "_linea.dat";

std::string file_stem(const std::string& path) {
  return std::filesystem::path(path).stem().string();
}

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

struct Picture {
  std::string path;
  std::string svg;
};

std::vector<Picture> draw(const PlotScene& scene, const std::string& prefix,
                          std::vector<std::string>& notes) {
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

int plot(const PlotOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  const auto located = locate_files(options.paths);
  if (const auto* failure = std::get_if<LocateFailure>(&located)) {
    err << "plot: " << failure->message << '\n';
    return failure->exit;
  }
  const auto& files = std::get<ScenarioFiles>(located);
  const LoadedScenario loaded = load_scenario(files, fs);
  int status = report_file_problems(loaded, "plot", err, true);
  std::vector<std::string> notes;
  const auto pictures =
      draw(scene_of(loaded, files), options.prefix.value_or(default_prefix(files)), notes);
  for (const std::string& note : notes) err << "plot: " << note << '\n';
  if (pictures.empty()) {
    err << "plot: nothing to draw\n";
    return status == exit_code::clean ? exit_code::usage : status;
  }
  for (const Picture& p : pictures) {
    try {
      replace_file(fs, p.path, p.svg);
      out << "wrote " << p.path << '\n';
    } catch (const FileError& e) {
      err << "plot: " << e.what() << '\n';
      if (status == exit_code::clean) status = exit_code::io_failure;
    }
  }
  return status;
}

}  // namespace

std::string default_prefix(const ScenarioFiles& files) {
  for (FileRole role : {FileRole::track, FileRole::table}) {
    if (files[role]) return file_stem(files[role]->path);
  }
  if (!files[FileRole::line]) return "scenario";
  const std::string name = std::filesystem::path(files[FileRole::line]->path).filename().string();
  const std::string route = name.substr(0, name.size() - kLineEnding.size());
  return route.empty() ? "scenario" : route;
}

int run_plot_on(const PlotOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  return run_guarded("plot", err, [&] { return plot(options, fs, out, err); });
}

int run_plot(const PlotOptions& options, std::ostream& out, std::ostream& err) {
  RealFileSystem fs;
  return run_plot_on(options, fs, out, err);
}

}  // namespace scenario::tool
