// `template`: the built-in sources, byte for byte, as an author's starting point.
#include <CLI/CLI.hpp>

#include "format/file_names.h"
#include "run/builtin_scenario.h"
#include "scenario_tool/verbs/source_files.h"
#include "scenario_tool/verbs/verb_table.h"
#include "scenario_tool/verbs/verbs.h"
#include "sources/contenuti.h"

namespace scenario::tool {

void add_template_options(CLI::App& cmd, TemplateOptions& o) {
  cmd.add_option("-o,--output", o.out_dir, "Folder to write into, made when missing")
      ->capture_default_str();
  cmd.add_flag("--force", o.force, "Replace sources that are already there");
  cmd.footer(
      exit_statuses({"0   the sources were written",
                     "3   a folder or a file could not be made or written", refusal_status_line}));
}

int run_template(const TemplateOptions& options, FileSystem& fs, std::ostream& out,
                 std::ostream& err) {
  const ScenarioNames names{options.out_dir, builtin_route_id, builtin_train_number};
  return write_source_files(fs, options.out_dir,
                            {{line_source_path(names), render_lines(contenuto_linea())},
                             {train_source_path(names), render_lines(contenuto_treno())}},
                            options.force, out, err);
}

}  // namespace scenario::tool
