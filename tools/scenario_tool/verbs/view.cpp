// `view`: the compiled files of one scenario as one interactive HTML page, plan and profile linked,
// with the findings of `check` marked.
#include <CLI/CLI.hpp>
#include <variant>

#include "platform/paths.h"
#include "platform/replace_files.h"
#include "scenario_tool/documents/documents_json.h"
#include "scenario_tool/plot/pictures.h"
#include "scenario_tool/scenario/open_scenario.h"
#include "scenario_tool/scenario/output_guard.h"
#include "scenario_tool/scenario/reporter.h"
#include "scenario_tool/verbs/guarded.h"
#include "scenario_tool/verbs/output_folder.h"
#include "scenario_tool/verbs/verb_table.h"
#include "scenario_tool/verbs/verbs.h"
#include "scenario_tool/view/page.h"
#include "scenario_tool/view/page_data.h"

namespace scenario::tool {

namespace {

// -o names the folder of ROUTE_TRAIN.html, or the page itself when it ends in ".html".
std::string page_path(const ViewOptions& o, const ScenarioFiles& files) {
  if (o.output.ends_with(".html")) return o.output;
  return in_folder(o.output, file_name(default_prefix(files)) + ".html");
}

int view(const ViewOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  auto opened = open_scenario(options.paths, "view", fs, err, {.tell_optional_missing = true});
  if (const int* failed = std::get_if<int>(&opened)) return *failed;
  const OpenedScenario& o = std::get<OpenedScenario>(opened);
  const ScenarioFiles& files = o.files;
  const LoadedScenario& loaded = o.loaded;
  int status = o.status;
  if (!loaded.track && !loaded.line) {
    report_error(err, "nothing to show: the page needs the track file or the line file");
    return status == exit_code::clean ? exit_code::usage : status;
  }
  if (!loaded.line) err << "view: no line file: the page has no plan\n";
  if (!loaded.track) err << "view: no track file: the page has no profile\n";
  const std::string path = page_path(options, files);
  if (const auto input = input_at(fs, files, path)) {
    report_error(err, "view: the page would replace " + *input + ", one of the files it shows");
    return exit_code::usage;
  }
  if (const auto failure = make_output_folder(fs, folder_of_prefix(path))) {
    report_error(err, *failure);
    return status == exit_code::clean ? exit_code::io_failure : status;
  }
  try {
    Json data = view_data(loaded, o.scenario, files, check_findings(loaded));
    // The driver's papers beside the line, as `documents` writes them, when they can be made.
    if (loaded.track && loaded.table) {
      const DerivedDocuments d = derive_documents(o.scenario, *loaded.track, DocumentOptions{});
      if (d.documents) data["documents"] = document_texts(*d.documents);
    }
    replace_file(fs, path, view_page(data, options.reload));
    out << "wrote " << path << '\n';
  } catch (const FileError& e) {
    report_error(err, e.what());
    if (status == exit_code::clean) status = exit_code::io_failure;
  }
  return status;
}

}  // namespace

void add_view_options(CLI::App& cmd, ViewOptions& o) {
  cmd.add_option("PATH", o.paths, "A folder, or the compiled files themselves")->required();
  cmd.add_option("-o,--output", o.output,
                 "Folder for ROUTE_TRAIN.html (the name of the scenario's files), made when "
                 "missing; a name ending in .html names the page itself. The page is replaced")
      ->capture_default_str()
      ->type_name("DIR|PAGE.html");
  cmd.footer(exit_statuses({"0   the page was written",
                            "3   a file cannot be found or read, or the page cannot be written",
                            "64  nothing to show, or wrong paths as for inspect",
                            "65  a file is damaged"}));
}

int run_view(const ViewOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  return run_guarded("view", err, [&] { return view(options, fs, out, err); });
}

}  // namespace scenario::tool
