#include "compiler/compiled_files.h"

#include <vector>

#include "format/file_writers.h"
#include "platform/replace_files.h"

namespace scenario {

std::vector<WrittenFile> write_compiled_files(const ScenarioNames& names,
                                              const CompiledScenario& model, FileSystem& fs) {
  std::vector<OutputBlob> files;
  if (model.line) files.push_back({line_file_path(names), write_line_file(*model.line)});
  files.push_back({table_file_path(names), write_table_file(model.table)});
  files.push_back({track_file_path(names), write_track_file(model.track)});
  replace_files(fs, files);
  std::vector<WrittenFile> written;
  for (const OutputBlob& file : files) written.push_back({file.path, file.bytes.size()});
  return written;
}

}  // namespace scenario
