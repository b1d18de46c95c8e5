// `template`: the built-in sources, byte for byte, as an author's starting point.
#include "format/file_names.h"
#include "platform/file_system.h"
#include "platform/replace_files.h"
#include "run/builtin_scenario.h"
#include "scenario_tool/verbs/verbs.h"
#include "sources/writers.h"

namespace scenario::tool {

int run_template(const TemplateOptions& options, FileSystem& fs, std::ostream& out,
                 std::ostream& err) {
  const ScenarioNames names{options.out_dir, builtin_route_id, builtin_train_number};
  try {
    std::string reason;
    if (!fs.make_folders(options.out_dir, &reason)) {
      throw FileError(options.out_dir, reason, "create");
    }
    dati_linea(names, fs);
    dati_treno(names, fs);
  } catch (const FileError& e) {
    err << "scenario_tool: " << e.what() << "\n";
    return exit_code::io_failure;
  }
  out << "wrote " << line_source_path(names) << "\n";
  out << "wrote " << train_source_path(names) << "\n";
  return exit_code::clean;
}

}  // namespace scenario::tool
