// `view`: the compiled files of one scenario as one interactive HTML page, plan and profile linked,
// with the findings of `check` marked.
#include <variant>

#include "platform/replace_files.h"
#include "scenario_tool/plot/pictures.h"
#include "scenario_tool/scenario/open_scenario.h"
#include "scenario_tool/verbs/guarded.h"
#include "scenario_tool/verbs/verbs.h"
#include "scenario_tool/view/page.h"
#include "scenario_tool/view/page_data.h"

namespace scenario::tool {

namespace {

int view(const ViewOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  auto opened = open_scenario(options.paths, "view", fs, err, {.tell_optional_missing = true});
  if (const int* failed = std::get_if<int>(&opened)) return *failed;
  const OpenedScenario& o = std::get<OpenedScenario>(opened);
  const ScenarioFiles& files = o.files;
  const LoadedScenario& loaded = o.loaded;
  int status = o.status;
  if (!loaded.track && !loaded.line) {
    err << "view: nothing to show: the page needs the track file or the line file\n";
    return status == exit_code::clean ? exit_code::usage : status;
  }
  if (!loaded.line) err << "view: no line file: the page has no plan\n";
  if (!loaded.track) err << "view: no track file: the page has no profile\n";
  const std::string path = options.output.value_or(default_prefix(files) + ".html");
  try {
    replace_file(fs, path, view_page(view_data(loaded, o.scenario, files, check_findings(loaded))));
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
