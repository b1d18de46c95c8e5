// `template`: the built-in sources, byte for byte, as an author's starting point.
#include "format/file_names.h"
#include "run/builtin_scenario.h"
#include "scenario_tool/verbs/source_files.h"
#include "scenario_tool/verbs/verbs.h"
#include "sources/contenuti.h"

namespace scenario::tool {

int run_template(const TemplateOptions& options, FileSystem& fs, std::ostream& out,
                 std::ostream& err) {
  const ScenarioNames names{options.out_dir, builtin_route_id, builtin_train_number};
  return write_source_files(fs, options.out_dir,
                            {{line_source_path(names), render_lines(contenuto_linea())},
                             {train_source_path(names), render_lines(contenuto_treno())}},
                            options.force, out, err);
}

}  // namespace scenario::tool
