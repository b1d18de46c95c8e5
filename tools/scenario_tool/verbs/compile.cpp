// `compile`: an author's two sources through the generator's own compiler. The sources are read
// once and compiled from memory, so the author's files are never opened for writing nor deleted;
// the compiled files go straight into the output folder, made when there is something to write.
#include <algorithm>
#include <future>
#include <optional>
#include <set>

#include "compiler/compile_sources.h"
#include "format/file_limits.h"
#include "format/file_names.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/regular_file.h"
#include "platform/replace_files.h"
#include "platform/unsynced_file_system.h"
#include "run/write_compiled_files.h"
#include "scenario_tool/compile/diagnostics.h"
#include "scenario_tool/compile/source_check.h"
#include "scenario_tool/compile/warnings.h"
#include "scenario_tool/verbs/identifiers.h"
#include "scenario_tool/verbs/verbs.h"
#include "scenario_tool/verbs/warning_flags.h"

namespace scenario::tool {

namespace {

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
  if (!disk.read_up_to(path, max_source_bytes, &bytes, &reason)) {
    throw FileError(path, reason, "read");
  }
  return bytes;
}

// Why a compile wrote nothing.
std::string nothing_written(const CompileResult& result) {
  if (result.header_conflict) {
    return "a header slot is already taken (error " + to_string(result.code.code) +
           "), which ends the compile before it writes anything";
  }
  return "the compile stopped before it had a track (error " + to_string(result.code.code) +
         "): the track is made by the \"lunghezza percorso\" record, after the line source's "
         "\"[generale]\" header";
}

// The output folder is made only when there is a file to put in it.
std::vector<WrittenFile> write_into_folder(const ScenarioNames& names, const CompileResult& result,
                                           FileSystem& disk) {
  if (!result.has_files) return {};
  std::string reason;
  if (!disk.make_folders(names.folder, &reason)) throw FileError(names.folder, reason, "create");
  return write_compiled_files(names, result, disk);
}

CompileOutcome with_status(int status) {
  CompileOutcome outcome;
  outcome.status = status;
  return outcome;
}

int exit_status(int errors, int warnings, bool header_conflict, bool werror) {
  if (header_conflict) return exit_code::header_conflict;
  if (errors > 0 || (werror && warnings > 0)) return exit_code::recorded_code;
  return exit_code::clean;
}

}  // namespace

bool silenced_warnings(const std::vector<std::string>& flags, std::set<std::string>& silenced,
                       std::ostream& err) {
  for (const std::string& flag : flags) {
    const std::string id = flag.starts_with("no-") ? flag.substr(3) : "";
    if (find_warning(id) == nullptr) {
      err << "scenario_tool: -W " << flag
          << ": not a warning to silence (give no-ID; scenario_tool explain --warnings lists "
             "them)\n";
      return false;
    }
    silenced.insert(id);
  }
  return true;
}

CompileOutcome compile_scenario(const CompileOptions& options, FileSystem& disk, std::ostream& out,
                                std::ostream& err) {
  for (const std::string* path : {&options.line_source, &options.train_source}) {
    if (const auto refused = not_a_regular_file(disk, *path)) {
      err << "scenario_tool: " << *refused << "\n";
      return with_status(exit_code::io_failure);
    }
  }
  std::set<std::string> silenced;
  if (!silenced_warnings(options.warning_flags, silenced, err))
    return with_status(exit_code::usage);
  ScenarioNames names{options.out_dir, {}, {}};
  if (!derive_identifiers(options, names.route_id, names.train_number, err)) {
    return with_status(exit_code::usage);
  }
  std::string line_text;
  std::string train_text;
  try {
    line_text = read_source(disk, options.line_source);
    train_text = read_source(disk, options.train_source);
  } catch (const FileError& e) {
    err << "scenario_tool: " << e.what() << "\n";
    return with_status(exit_code::io_failure);
  }
  // The check reads only the two texts: it runs beside the compile, on a core of its own.
  std::future<SourceCheck> check_done =
      std::async(std::launch::async, [&] { return check_sources(line_text, train_text); });
  CompileListener listener;
  const CompileResult result =
      compile_sources({{names.route_id, names.train_number},
                       {SourceText::of(line_text), SourceText::of(train_text)},
                       {.build_line = !options.no_line}},
                      listener);
  std::vector<WrittenFile> written;
  std::optional<std::string> write_failure;
  UnsyncedFileSystem unsynced(disk);
  try {
    written = write_into_folder(names, result, options.no_sync ? unsynced : disk);
  } catch (const FileError& e) {
    write_failure = e.what();
  }
  const SourceCheck check = check_done.get();
  const std::vector<Diagnostic> diagnostics = merge_diagnostics(listener, check, silenced);
  CompileOutcome outcome;
  for (const Diagnostic& d : diagnostics) {
    err << format_diagnostic(d, options.line_source, options.train_source) << "\n";
    if (!d.is_error) continue;
    ++outcome.errors;
    const int code = number(d.code);
    if (std::find(outcome.codes.begin(), outcome.codes.end(), code) == outcome.codes.end()) {
      outcome.codes.push_back(code);
    }
  }
  outcome.warnings = static_cast<int>(diagnostics.size()) - outcome.errors;
  if (write_failure) {
    err << "scenario_tool: " << *write_failure << "\n";
    outcome.status = exit_code::io_failure;
    return outcome;
  }
  if (written.empty()) {
    err << "scenario_tool: nothing written: " << nothing_written(result) << "\n";
  }
  for (const WrittenFile& file : written) {
    out << "wrote " << file.path << " (" << file.bytes << " bytes)\n";
  }
  out << outcome.errors << " error(s), " << outcome.warnings << " warning(s)\n";
  outcome.status =
      exit_status(outcome.errors, outcome.warnings, result.header_conflict, options.werror);
  return outcome;
}

int run_compile(const CompileOptions& options, FileSystem& disk, std::ostream& out,
                std::ostream& err) {
  return compile_scenario(options, disk, out, err).status;
}

}  // namespace scenario::tool
