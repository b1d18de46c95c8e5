// `inspect`: decodes the compiled files of one scenario and tells what they hold.
#include <CLI/CLI.hpp>
#include <variant>

#include "scenario_tool/inspect/report.h"
#include "scenario_tool/inspect/report_lines.h"
#include "scenario_tool/inspect/report_text.h"
#include "scenario_tool/scenario/scenario_files.h"
#include "scenario_tool/scenario/scenario_load.h"
#include "scenario_tool/verbs/guarded.h"
#include "scenario_tool/verbs/verb_table.h"
#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {

namespace {

int inspect(const InspectOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  const auto located = locate_files(options.paths, fs);
  if (const auto* failure = std::get_if<LocateFailure>(&located)) {
    err << "inspect: " << failure->message << '\n';
    return failure->exit;
  }
  const LoadedScenario scenario = load_scenario(std::get<ScenarioFiles>(located), fs);
  const int status = report_file_problems(scenario, "inspect", err, false);
  const Json report = build_report(scenario, options.cells || options.textconv);
  for (const Json& w : report.at("warnings")) {
    err << "inspect: warning: " << w.get<std::string>() << '\n';
  }
  if (options.textconv) {
    write_report_lines(report, scenario, out);
  } else if (options.json) {
    // A path given by the user may hold bytes that are not UTF-8; JSON must stay valid.
    out << report.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
  } else {
    write_text_report(report, out);
  }
  return status;
}

}  // namespace

void add_inspect_options(CLI::App& cmd, InspectOptions& o) {
  cmd.add_option("PATH", o.paths, "A folder, or the compiled files themselves")->required();
  cmd.add_flag("--cells", o.cells, "List every occupied cell and every change of the stretches");
  auto* json = cmd.add_flag("--json", o.json, "Print JSON instead of text");
  cmd.add_flag("--textconv", o.textconv,
               "Print one stable line per item, with the cells, for git's textconv (see README)")
      ->excludes(json);
  cmd.footer(exit_statuses({"0   clean", "3   a file or folder is missing or cannot be read",
                            "64  wrong paths: an unknown file ending, two files of one kind, "
                            "several scenarios in one folder",
                            "65  a file is damaged (this outweighs a missing one)"}));
}

int run_inspect(const InspectOptions& options, FileSystem& fs, std::ostream& out,
                std::ostream& err) {
  return run_guarded("inspect", err, [&] { return inspect(options, fs, out, err); });
}

}  // namespace scenario::tool
