// `template`: the built-in sources, byte for byte, as an author's starting point.
#include <filesystem>

#include "compiler/compilation.h"
#include "format/file_names.h"
#include "platform/file_system.h"
#include "platform/replace_files.h"
#include "run/builtin_scenario.h"
#include "scenario_tool/compile/output_folder.h"
#include "scenario_tool/verbs/verbs.h"
#include "sources/writers.h"

namespace scenario::tool {

int run_template(const TemplateOptions& options, std::ostream& out, std::ostream& err) {
  RealFileSystem fs;
  GeneratorState state;
  state.folder = options.out_dir;
  state.route_id = builtin_route_id;
  state.train_number = builtin_train_number;
  state.fs = &fs;
  try {
    ensure_folder(options.out_dir);
    dati_linea(state);
    dati_treno(state);
  } catch (const FileError& e) {
    err << "scenario_tool: " << e.what() << "\n";
    return exit_code::io_failure;
  }
  out << "wrote " << line_source_path(state) << "\n";
  out << "wrote " << train_source_path(state) << "\n";
  return exit_code::clean;
}

}  // namespace scenario::tool
