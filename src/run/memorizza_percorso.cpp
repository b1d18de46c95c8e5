#include "run/memorizza_percorso.h"

#include <string>

#include "platform/file_system.h"

namespace scenario {

namespace {

// A source that is not there is absent; one that is there but cannot be read, unreadable.
SourceText read_source(FileSystem& fs, const std::string& path) {
  if (!fs.exists(path)) return {};
  SourceText source;
  std::string err;
  source.state = fs.read(path, &source.bytes, &err) ? SourceText::State::present
                                                    : SourceText::State::unreadable;
  return source;
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

// Each source is deleted as soon as it has been read. The train source is read only when the
// reading can reach it: after a line source that was there, was read and was deleted.
ScenarioSources take_sources(const ScenarioNames& names, FileSystem& fs) {
  ScenarioSources sources;
  const std::string line_path = line_source_path(names);
  const std::string train_path = train_source_path(names);
  sources.line = read_source(fs, line_path);
  delete_source(fs, line_path, sources.line);
  if (sources.line.present() && !sources.line.deletion_failed) {
    std::string err;
    if (!fs.read(train_path, &sources.train.bytes, &err)) {
      sources.train.state = SourceText::State::unreadable;
    } else {
      sources.train.state = SourceText::State::present;
    }
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
