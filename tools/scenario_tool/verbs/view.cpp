// `view`: the compiled files of one scenario as one interactive HTML page, plan and profile linked,
// with the findings of `check` marked.
#include <variant>

#include "platform/replace_files.h"
#include "scenario_tool/plot/pictures.h"
#include "scenario_tool/scenario/output_guard.h"
#include "scenario_tool/verbs/guarded.h"
#include "scenario_tool/verbs/verbs.h"
#include "scenario_tool/view/page.h"
#include "scenario_tool/view/page_data.h"

namespace scenario::tool {

namespace {

int view(const ViewOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  const auto located = locate_files(options.paths, fs);
  if (const auto* failure = std::get_if<LocateFailure>(&located)) {
    err << "view: " << failure->message << '\n';
    return failure->exit;
  }
  const auto& files = std::get<ScenarioFiles>(located);
  const LoadedScenario loaded = load_scenario(files, fs);
  int status = report_file_problems(loaded, "view", err, true);
  if (!loaded.track && !loaded.line) {
    err << "view: nothing to show: the page needs the track file or the line file\n";
    return status == exit_code::clean ? exit_code::usage : status;
  }
  if (!loaded.line) err << "view: no line file: the page has no plan\n";
  if (!loaded.track) err << "view: no track file: the page has no profile\n";
  const std::string path = options.output.value_or(default_prefix(files) + ".html");
  if (const auto input = input_at(fs, files, path)) {
    err << "view: the page would replace " << *input << ", one of the files it shows\n";
    return exit_code::usage;
  }
  try {
    replace_file(fs, path, view_page(view_data(loaded, files, check_findings(loaded))));
    out << "wrote " << path << '\n';
  } catch (const FileError& e) {
    err << "view: " << e.what() << '\n';
    if (status == exit_code::clean) status = exit_code::io_failure;
  }
  return status;
}

}  // namespace

int run_view(const ViewOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  return run_guarded("view", err, [&] { return view(options, fs, out, err); });
}

}  // namespace scenario::tool
