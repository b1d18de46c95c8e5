#include "compiler/compiled_files.h"

#include <vector>

#include "compiler/compilation.h"
#include "format/file_names.h"
#include "format/file_writers.h"
#include "platform/replace_files.h"

namespace scenario {

void write_compiled_files(GeneratorState& state) {
  std::vector<OutputBlob> files;
  if (state.build_line != 0) {
    files.push_back({line_file_path(state), write_line_file(state.line_geometry)});
  }
  files.push_back({table_file_path(state), write_table_file(state.table)});
  files.push_back({track_file_path(state), write_track_file(state.track)});
  replace_files(*state.fs, files);
}

}  // namespace scenario
