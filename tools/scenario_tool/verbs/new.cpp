// `new`: a small commented scenario to start from, under the author's own names.
#include "format/file_names.h"
#include "scenario_tool/explain/starter.h"
#include "scenario_tool/verbs/identifiers.h"
#include "scenario_tool/verbs/source_files.h"
#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {

int run_new(const NewOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  for (const std::string* id : {&options.route_id, &options.train_number}) {
    if (!valid_identifier(*id)) {
      err << "scenario_tool: \"" << *id << "\" cannot be part of a file name\n";
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
