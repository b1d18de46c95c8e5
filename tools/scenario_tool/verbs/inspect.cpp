// `inspect`: decodes the compiled files of one scenario and tells what they hold.
#include <CLI/CLI.hpp>
#include <variant>

#include "scenario_tool/inspect/report.h"
#include "scenario_tool/inspect/report_lines.h"
#include "scenario_tool/inspect/report_text.h"
#include "scenario_tool/scenario/open_scenario.h"
#include "scenario_tool/verbs/guarded.h"
#include "scenario_tool/verbs/verb_table.h"
#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {

namespace {

int inspect(const InspectOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  auto opened = open_scenario(options.paths, "inspect", fs, err);
  if (const int* failed = std::get_if<int>(&opened)) return *failed;
  const OpenedScenario& o = std::get<OpenedScenario>(opened);
  const InspectReport report =
      inspect_report(o.loaded, o.scenario, options.cells || options.textconv);
  for (const std::string& w : report.warnings) err << "inspect: warning: " << w << '\n';
  if (options.textconv) {
    write_report_lines(report, out);
  } else if (options.json) {
    // A path given by the user may hold bytes that are not UTF-8; JSON must stay valid.
    out << report_json(report).dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
  } else {
    write_text_report(report, out);
  }
  return o.status;
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
