// `new`: a small commented scenario to start from, under the author's own names.
#include <CLI/CLI.hpp>

#include "format/file_names.h"
#include "scenario_tool/explain/starter.h"
#include "scenario_tool/scenario/reporter.h"
#include "scenario_tool/verbs/identifiers.h"
#include "scenario_tool/verbs/source_files.h"
#include "scenario_tool/verbs/verb_table.h"
#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {

void add_new_options(CLI::App& cmd, NewOptions& o) {
  cmd.add_option("ROUTE", o.route_id, "Route identifier")->required();
  cmd.add_option("TRAIN", o.train_number, "Train number")->required();
  cmd.add_option("-o,--output", o.out_dir, "Folder to write into, made when missing")
      ->capture_default_str();
  cmd.add_flag("--force", o.force, "Replace sources that are already there");
  cmd.footer(exit_statuses(
      {"0   the sources were written", "3   a folder or a file could not be made or written",
       refusal_status_line, "64  an identifier cannot be part of a file name"}));
}

int run_new(const NewOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  for (const std::string* id : {&options.route_id, &options.train_number}) {
    if (!valid_identifier(*id)) {
      report_error(err, "\"" + *id + "\" cannot be part of a file name");
      return exit_code::usage;
    }
  }
  const ScenarioNames names{options.out_dir, options.route_id, options.train_number};
  return write_source_files(
      fs, options.out_dir,
      {{line_source_path(names), starter_line_source(options.route_id)},
       {train_source_path(names), starter_train_source(options.route_id, options.train_number)}},
      options.force, out, err);
}

}  // namespace scenario::tool
