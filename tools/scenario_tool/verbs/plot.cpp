// `plot`: draws the compiled files of one scenario as a plan and a profile in SVG.
#include <variant>

#include "platform/replace_files.h"
#include "scenario_tool/plot/pictures.h"
#include "scenario_tool/verbs/guarded.h"
#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {

namespace {

int plot(const PlotOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  const auto located = locate_files(options.paths, fs);
  if (const auto* failure = std::get_if<LocateFailure>(&located)) {
    err << "plot: " << failure->message << '\n';
    return failure->exit;
  }
  const auto& files = std::get<ScenarioFiles>(located);
  const LoadedScenario loaded = load_scenario(files, fs);
  int status = report_file_problems(loaded, "plot", err, true);
  std::vector<std::string> notes;
  const auto pictures =
      draw_pictures(loaded, files, options.prefix.value_or(default_prefix(files)), notes);
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

int run_plot(const PlotOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  return run_guarded("plot", err, [&] { return plot(options, fs, out, err); });
}

}  // namespace scenario::tool
