// `compile`: an author's two sources through the generator's own compiler, in a private folder so
// that the reader's deletion of its sources never touches the author's files.
#include <filesystem>
#include <optional>

#include "compiler/compilation.h"
#include "compiler/memorizza_percorso.h"
#include "format/file_names.h"
#include "platform/file_system.h"
#include "platform/private_folder.h"
#include "platform/replace_files.h"
#include "run/errore.h"
#include "scenario_tool/compile/diagnostics.h"
#include "scenario_tool/compile/output_folder.h"
#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {

namespace {

namespace fs = std::filesystem;

// A private folder, removed with its contents whatever happens.
class PrivateFolder {
 public:
  PrivateFolder() {
    std::string reason;
    if (!make_private_folder("scenario_tool-", &path_, &reason)) {
      throw FileError(path_, reason, "create");
    }
  }
  ~PrivateFolder() {
    std::error_code ec;
    fs::remove_all(fs::path(std::u8string(path_.begin(), path_.end())), ec);
  }
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

std::string base_name(const std::string& path) { return fs::path(path).filename().string(); }

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
    const std::string name = base_name(o.line_source);
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
    const std::string name = base_name(o.train_source);
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

void copy_source(FileSystem& disk, const std::string& from, const std::string& to) {
  std::string bytes;
  std::string reason;
  if (!disk.read(from, &bytes, &reason)) throw FileError(from, reason, "read");
  replace_file(disk, to, bytes);
}

// The compiled files the compile left in the private folder, as a set for the output folder.
std::vector<OutputBlob> collect_outputs(FileSystem& disk, const GeneratorState& in,
                                        const GeneratorState& out) {
  std::vector<OutputBlob> blobs;
  const std::pair<std::string, std::string> files[] = {{line_file_path(in), line_file_path(out)},
                                                       {table_file_path(in), table_file_path(out)},
                                                       {track_file_path(in), track_file_path(out)}};
  for (const auto& [from, to] : files) {
    if (!disk.exists(from)) continue;
    std::string bytes;
    std::string reason;
    if (!disk.read(from, &bytes, &reason)) throw FileError(from, reason, "read");
    blobs.push_back({to, std::move(bytes)});
  }
  return blobs;
}

int exit_status(const DiagnosticCollector& d, bool header_conflict, bool werror) {
  if (header_conflict) return exit_code::header_conflict;
  if (d.errors() > 0 || (werror && d.warnings() > 0)) return exit_code::recorded_code;
  return exit_code::clean;
}

}  // namespace

int run_compile(const CompileOptions& options, std::ostream& out, std::ostream& err) {
  GeneratorState state;
  if (!derive_identifiers(options, state.route_id, state.train_number, err)) {
    return exit_code::usage;
  }
  RealFileSystem disk;
  DiagnosticCollector diagnostics;
  bool header_conflict = false;
  std::vector<OutputBlob> outputs;
  try {
    PrivateFolder work;
    state.folder = work.path();
    state.fs = &disk;
    state.observer = &diagnostics;
    copy_source(disk, options.line_source, line_source_path(state));
    copy_source(disk, options.train_source, train_source_path(state));
    try {
      memorizza_percorso(state, options.no_line ? 0 : 1);
    } catch (const ErroreExit& e) {
      diagnostics.add_header_conflict(e.code);
      header_conflict = true;
    }
    GeneratorState target;  // only for the names in the output folder
    target.folder = options.out_dir;
    target.route_id = state.route_id;
    target.train_number = state.train_number;
    if (!header_conflict) outputs = collect_outputs(disk, state, target);
    for (const auto& d : diagnostics.diagnostics()) {
      err << format_diagnostic(d, options.line_source, options.train_source) << "\n";
    }
    if (!outputs.empty()) {
      ensure_folder(options.out_dir);
      replace_files(disk, outputs);
    }
  } catch (const FileError& e) {
    err << "scenario_tool: " << e.what() << "\n";
    return exit_code::io_failure;
  }
  for (const auto& blob : outputs) {
    out << "wrote " << blob.path << " (" << blob.bytes.size() << " bytes)\n";
  }
  out << diagnostics.errors() << " error(s), " << diagnostics.warnings() << " warning(s)\n";
  return exit_status(diagnostics, header_conflict, options.werror);
}

}  // namespace scenario::tool
