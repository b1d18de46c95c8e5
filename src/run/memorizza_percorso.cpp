#include "run/memorizza_percorso.h"

#include <string>
#include <utility>

#include "platform/file_system.h"

namespace scenario {

namespace {

// The bytes of a source, or unreadable: a missing train source is one that cannot be read.
SourceText read_source(FileSystem& fs, const std::string& path) {
  SourceText source;
  std::string err;
  source.state = fs.read(path, &source.bytes, &err) ? SourceText::State::present
                                                    : SourceText::State::unreadable;
  return source;
}

// A line source that is not there is absent, which the compile tells apart.
SourceText read_line_source(FileSystem& fs, const std::string& path) {
  return fs.exists(path) ? read_source(fs, path) : SourceText{};
}

// No source stays behind: a deletion that fails is tried once more at once, and the compile
// still reports it.
void delete_source(FileSystem& fs, const std::string& path, SourceText& source) {
  if (!fs.exists(path)) return;
  std::string err;
  if (fs.remove(path, &err)) return;
  source.deletion_failed = true;
  if (fs.exists(path)) fs.remove(path, &err);
}

// Each source is deleted as soon as it has been read, in the order the reading meets them. The
// train source is read only when the reading can reach it: after a line source that was there,
// was read and was deleted (one whose records stop the reading still has it read, unused).
ScenarioSources take_sources(const ScenarioNames& names, FileSystem& fs) {
  ScenarioSources sources;
  const std::string line_path = line_source_path(names);
  const std::string train_path = train_source_path(names);
  sources.line = read_line_source(fs, line_path);
  delete_source(fs, line_path, sources.line);
  if (sources.line.present() && !sources.line.deletion_failed) {
    sources.train = read_source(fs, train_path);
  }
  delete_source(fs, train_path, sources.train);
  return sources;
}

}  // namespace

RunCompile memorizza_percorso(const ScenarioNames& names, FileSystem& fs,
                              const CompileOptions& options, CompileObserver& observer) {
  RunCompile run;
  CompileInput input{{names.route_id, names.train_number}, take_sources(names, fs), options};
  run.result = compile_sources(std::move(input), observer);
  run.written = write_compiled_files(names, run.result, fs);
  return run;
}

}  // namespace scenario
