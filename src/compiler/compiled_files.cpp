#include "compiler/compiled_files.h"

#include "format/file_writers.h"

namespace scenario {

std::string CompiledFile::bytes() const {
  std::string out;
  StringSink sink(out);
  write(sink);
  return out;
}

std::vector<CompiledFile> compiled_files(const CompiledScenario& model) {
  std::vector<CompiledFile> files;
  if (model.line) {
    files.push_back(
        {CompiledFileKind::line, [&model](ByteSink& sink) { write_line_file(*model.line, sink); }});
  }
  files.push_back(
      {CompiledFileKind::table, [&model](ByteSink& sink) { write_table_file(model.table, sink); }});
  files.push_back(
      {CompiledFileKind::track, [&model](ByteSink& sink) { write_track_file(model.track, sink); }});
  return files;
}

CompiledFileBytes compiled_file_bytes(const std::vector<CompiledFile>& files) {
  CompiledFileBytes out;
  for (const CompiledFile& file : files) {
    switch (file.kind) {
      case CompiledFileKind::line:
        out.line = file.bytes();
        break;
      case CompiledFileKind::table:
        out.table = file.bytes();
        break;
      case CompiledFileKind::track:
        out.track = file.bytes();
        break;
    }
  }
  return out;
}

}  // namespace scenario
