// `compile`: an author's two sources through the generator's own compiler. The sources are read
// once and served to the compiler from memory, so that its deletion of its sources never touches
// the author's files; the compiled files go straight into the output folder.
#include <map>
#include <optional>

#include "compiler/header_slots.h"
#include "compiler/memorizza_percorso.h"
#include "format/file_names.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/replace_files.h"
#include "scenario_tool/compile/diagnostics.h"
#include "scenario_tool/compile/sources_in_memory.h"
#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {

namespace {

bool valid_identifier(const std::string& id) {
  return id.find_first_of(std::string("/\\\0", 3)) == std::string::npos && id != "." && id != "..";
}

// The identifiers from the options, or from the names ROUTE_linea.txt and ROUTE_TRAIN-.txt.
bool derive_identifiers(const CompileOptions& o, std::string& route, std::string& train,
                        std::ostream& err) {
  constexpr std::string_view line_suffix = "_linea.txt";
  constexpr std::string_view train_suffix = "-.txt";
  if (o.route_id) {
    route = *o.route_id;
  } else {
    const std::string name = file_name(o.line_source);
    if (!name.ends_with(line_suffix) || name.size() == line_suffix.size()) {
      err << "scenario_tool: cannot take the route identifier from \"" << name
          << "\" (not ROUTE_linea.txt): give --route-id\n";
      return false;
    }
    route = name.substr(0, name.size() - line_suffix.size());
  }
  if (o.train_number) {
    train = *o.train_number;
  } else {
    const std::string name = file_name(o.train_source);
    const std::string prefix = route + "_";
    if (!name.starts_with(prefix) || !name.ends_with(train_suffix) ||
        name.size() < prefix.size() + train_suffix.size()) {
      err << "scenario_tool: cannot take the train number from \"" << name << "\" (not " << prefix
          << "TRAIN-.txt): give --train-number\n";
      return false;
    }
    train = name.substr(prefix.size(), name.size() - prefix.size() - train_suffix.size());
  }
  for (const std::string* id : {&route, &train}) {
    if (!valid_identifier(*id)) {
      err << "scenario_tool: \"" << *id << "\" cannot be part of a file name\n";
      return false;
    }
  }
  return true;
}

std::string read_source(FileSystem& disk, const std::string& path) {
  std::string bytes;
  std::string reason;
  if (!disk.read(path, &bytes, &reason)) throw FileError(path, reason, "read");
  return bytes;
}

int exit_status(const DiagnosticCollector& d, bool header_conflict, bool werror) {
  if (header_conflict) return exit_code::header_conflict;
  if (d.errors() > 0 || (werror && d.warnings() > 0)) return exit_code::recorded_code;
  return exit_code::clean;
}

}  // namespace

int run_compile(const CompileOptions& options, FileSystem& disk, std::ostream& out,
                std::ostream& err) {
  ScenarioNames names{options.out_dir, {}, {}};
  if (!derive_identifiers(options, names.route_id, names.train_number, err)) {
    return exit_code::usage;
  }
  std::map<std::string, std::string> sources;
  try {
    sources[line_source_path(names)] = read_source(disk, options.line_source);
    sources[train_source_path(names)] = read_source(disk, options.train_source);
  } catch (const FileError& e) {
    err << "scenario_tool: " << e.what() << "\n";
    return exit_code::io_failure;
  }
  DiagnosticCollector diagnostics;
  SourcesInMemory fs(disk, std::move(sources), options.out_dir);
  Compilation compilation(names, fs, diagnostics);
  bool header_conflict = false;
  std::optional<std::string> write_failure;
  try {
    memorizza_percorso(compilation, options.no_line ? 0 : 1);
  } catch (const HeaderConflict&) {
    header_conflict = true;
  } catch (const FileError& e) {
    write_failure = e.what();
  }
  for (const auto& d : diagnostics.diagnostics()) {
    err << format_diagnostic(d, options.line_source, options.train_source) << "\n";
  }
  if (write_failure) {
    err << "scenario_tool: " << *write_failure << "\n";
    return exit_code::io_failure;
  }
  for (const WrittenFile& file : compilation.written) {
    out << "wrote " << file.path << " (" << file.bytes << " bytes)\n";
  }
  out << diagnostics.errors() << " error(s), " << diagnostics.warnings() << " warning(s)\n";
  return exit_status(diagnostics, header_conflict, options.werror);
}

}  // namespace scenario::tool
