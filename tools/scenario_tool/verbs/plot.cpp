// `plot`: draws the compiled files of one scenario as a plan and a profile in SVG.
#include <optional>
#include <string>
#include <variant>

#include "platform/replace_files.h"
#include "scenario_tool/plot/pictures.h"
#include "scenario_tool/scenario/output_guard.h"
#include "scenario_tool/verbs/guarded.h"
#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {

namespace {

// What is wrong with the stretch asked for, if anything.
std::optional<std::string> stretch_problem(const PlotOptions& o) {
  if (o.from_km && !(*o.from_km >= 0)) return "--from must be a kilometre of 0 or more";
  if (o.to_km && !(*o.to_km > o.from_km.value_or(0))) return "--to must lie after --from (or 0)";
  if (o.page_km && !(*o.page_km >= 0.1)) return "--page-km must be 0.1 or more";
  return std::nullopt;
}

PlotStretch stretch_of(const PlotOptions& o) {
  const auto metres = [](std::optional<double> km) -> std::optional<double> {
    if (!km) return std::nullopt;
    return *km * 1000;
  };
  return PlotStretch{metres(o.from_km), metres(o.to_km), metres(o.page_km)};
}

int plot(const PlotOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  if (const auto problem = stretch_problem(options)) {
    err << "plot: " << *problem << '\n';
    return exit_code::usage;
  }
  const auto located = locate_files(options.paths, fs);
  if (const auto* failure = std::get_if<LocateFailure>(&located)) {
    err << "plot: " << failure->message << '\n';
    return failure->exit;
  }
  const auto& files = std::get<ScenarioFiles>(located);
  const LoadedScenario loaded = load_scenario(files, fs);
  int status = report_file_problems(loaded, "plot", err, true);
  std::vector<std::string> notes;
  const auto pictures = draw_pictures(loaded, files, options.prefix.value_or(default_prefix(files)),
                                      stretch_of(options), notes);
  for (const std::string& note : notes) err << "plot: " << note << '\n';
  if (pictures.empty()) {
    err << "plot: nothing to draw\n";
    return status == exit_code::clean ? exit_code::usage : status;
  }
  std::vector<OutputBlob> pages;
  for (const Picture& p : pictures) {
    if (const auto input = input_at(fs, files, p.path)) {
      err << "plot: " << p.path << " would replace " << *input << ", one of the files it draws\n";
      return exit_code::usage;
    }
    pages.push_back({p.path, p.svg});
  }
  // The pages are replaced as one set: a full disk leaves the old pages, never a mix.
  try {
    replace_files(fs, pages);
    for (const Picture& p : pictures) out << "wrote " << p.path << '\n';
  } catch (const FileError& e) {
    err << "plot: " << e.what() << '\n';
    if (status == exit_code::clean) status = exit_code::io_failure;
  }
  return status;
}

}  // namespace

int run_plot(const PlotOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  return run_guarded("plot", err, [&] { return plot(options, fs, out, err); });
}

}  // namespace scenario::tool
