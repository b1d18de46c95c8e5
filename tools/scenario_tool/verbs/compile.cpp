// `compile`: an author's two sources through the generator's own compiler. The sources are read
// once and compiled from memory, so the author's files are never opened for writing nor deleted;
// the compiled files go straight into the output folder, made when there is something to write.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <optional>
#include <set>

#include "compiler/compile_sources.h"
#include "format/file_limits.h"
#include "format/file_names.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/regular_file.h"
#include "platform/replace_files.h"
#include "platform/terminal.h"
#include "platform/unsynced_file_system.h"
#include "run/write_compiled_files.h"
#include "scenario_tool/compile/diagnostics.h"
#include "scenario_tool/compile/verdict.h"
#include "scenario_tool/compile/warnings.h"
#include "scenario_tool/scenario/reporter.h"
#include "scenario_tool/verbs/compile_check.h"
#include "scenario_tool/verbs/compile_json.h"
#include "scenario_tool/verbs/identifiers.h"
#include "scenario_tool/verbs/number_options.h"
#include "scenario_tool/verbs/source_diagnostics.h"
#include "scenario_tool/verbs/verb_table.h"
#include "scenario_tool/verbs/verbs.h"
#include "scenario_tool/verbs/warning_flags.h"

namespace scenario::tool {

bool derive_identifiers(const CompileOptions& o, std::string& route, std::string& train,
                        std::ostream& err) {
  constexpr std::string_view line_suffix = "_linea.txt";
  constexpr std::string_view train_suffix = "-.txt";
  if (o.route_id) {
    route = *o.route_id;
  } else {
    const std::string name = file_name(o.line_source);
    if (!name.ends_with(line_suffix) || name.size() == line_suffix.size()) {
      report_error(err, "cannot take the route identifier from \"" + name +
                            "\" (not ROUTE_linea.txt): give --route-id");
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
      report_error(err, "cannot take the train number from \"" + name + "\" (not " + prefix +
                            "TRAIN-.txt): give --train-number");
      return false;
    }
    train = name.substr(prefix.size(), name.size() - prefix.size() - train_suffix.size());
  }
  for (const std::string* id : {&route, &train}) {
    if (!valid_identifier(*id)) {
      report_error(err, "\"" + *id + "\" cannot be part of a file name");
      return false;
    }
  }
  return true;
}

namespace {

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

// The counts of a compile's diagnostics, and its codes, each once.
CompileOutcome counted(const std::vector<Diagnostic>& diagnostics) {
  CompileOutcome outcome;
  for (const Diagnostic& d : diagnostics) {
    if (!d.is_error) continue;
    ++outcome.errors;
    const int code = number(d.code);
    if (d.code != Code::none &&
        std::find(outcome.codes.begin(), outcome.codes.end(), code) == outcome.codes.end()) {
      outcome.codes.push_back(code);
    }
  }
  outcome.warnings = static_cast<int>(diagnostics.size()) - outcome.errors;
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
    const WarningInfo* warning = find_warning(id);
    if (warning != nullptr && warning->error) {
      report_error(err, "-W " + flag + ": " + id +
                            " is an error (a record the compile drops): it cannot be silenced");
      return false;
    }
    if (warning == nullptr && is_check_id(id)) {
      silenced.insert(id);
      continue;
    }
    if (warning == nullptr) {
      report_error(err, "-W " + flag +
                            ": not a warning to silence (give no-ID; scenario_tool explain "
                            "--warnings lists them)");
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
      report_error(err, *refused);
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
    report_error(err, e.what());
    return with_status(exit_code::io_failure);
  }
  const ScenarioIds ids{names.route_id, names.train_number};
  SourceDiagnostics found = source_diagnostics(
      {ids, line_text, train_text, options.line_source, options.train_source},
      {.build_line = !options.no_line, .check = options.check, .silenced = silenced});
  const CompileResult& result = found.result;
  const std::vector<Diagnostic>& diagnostics = found.diagnostics;
  const std::optional<std::string>& stopped = found.stopped;
  CompileOutcome outcome = counted(diagnostics);
  for (const Diagnostic& d : diagnostics) {
    if (!options.json)
      err << format_diagnostic(d, options.line_source, options.train_source) << "\n";
  }
  if (stopped && !options.json) err << *stopped << "\n";
  // A compile with an error writes nothing, as compilers do, unless asked to.
  std::vector<WrittenFile> written;
  if (outcome.errors == 0 || options.write_on_error) {
    UnsyncedFileSystem unsynced(disk);
    try {
      written = write_into_folder(names, result, options.no_sync ? unsynced : disk);
    } catch (const FileError& e) {
      report_error(err, e.what());
      outcome.status = exit_code::io_failure;
      return outcome;
    }
  }
  if (!result.has_files) {
    report_error(err, "nothing written: " + nothing_written(result));
  }
  if (options.json) {
    out << compile_json(options, diagnostics, written, result.code);
  } else {
    for (const WrittenFile& file : written) {
      out << "wrote " << file.path << " (" << file.bytes << " bytes)\n";
    }
    out << verdict_line(outcome.errors, outcome.warnings, !written.empty(), result.code) << '\n';
  }
  outcome.status =
      exit_status(outcome.errors, outcome.warnings, result.header_conflict, options.werror);
  return outcome;
}

int run_compile(const CompileOptions& options, FileSystem& disk, std::ostream& out,
                std::ostream& err) {
  return compile_scenario(options, disk, out, err).status;
}

void add_compile_options(CLI::App& cmd, CompileCommand& options) {
  CompileOptions& o = options.single;
  CompileAllOptions& batch = options.batch;
  // Required unless --all is given, which takes none of these: run_compile_command checks.
  cmd.add_option("LINE_SOURCE", o.line_source, "The line description (ROUTE_linea.txt)");
  cmd.add_option("TRAIN_SOURCE", o.train_source, "The train description (ROUTE_TRAIN-.txt)");
  cmd.add_option("-o,--output", o.out_dir,
                 "Folder for the compiled files, made when missing; they are replaced")
      ->capture_default_str();
  cmd.add_option("--route-id", o.route_id, "Route identifier (default: from LINE_SOURCE's name)");
  cmd.add_option("--train-number", o.train_number,
                 "Train number (default: from TRAIN_SOURCE's name)");
  auto* all = cmd.add_option("--all", batch.folders,
                             "Compile every ROUTE_linea.txt / ROUTE_TRAIN-.txt pair found under "
                             "the folders, each into its own folder, several at once, and print "
                             "a summary")
                  ->type_name("DIR");
  cmd.add_option("-j,--jobs", batch.jobs, "With --all: compiles at once (default: one per core)")
      ->needs(all)
      ->check(finite_number(NumberRange::above_zero));
  cmd.add_flag("--no-line", o.no_line, "Do not build the line geometry nor write the line file");
  cmd.add_flag("--werror", o.werror, "Treat warnings as errors for the exit status");
  cmd.add_flag("--no-sync", o.no_sync,
               "Do not wait for the compiled files to reach the disk: faster, but a power cut "
               "may then lose them");
  cmd.add_flag("--write-on-error", o.write_on_error,
               "Write the files even when there is an error, as the generator would");
  cmd.add_option("-W", o.warning_flags,
                 "-W no-ID silences the warning ID (scenario_tool explain --warnings lists them)")
      ->type_name("no-ID");
  cmd.add_flag("--check", o.check,
               "Run the engineering checks of `check` too, each finding on its record's line; "
               "they count in the verdict");
  cmd.add_flag("--json", o.json,
               "Print the diagnostics, the files written and the counts as JSON on standard "
               "output (schemas/compile.schema.json)")
      ->excludes(all);
  cmd.footer(exit_statuses(
      {"0   clean (warnings allowed unless --werror)",
       "1   a header conflict (code 1250 or 1251): nothing was written",
       "2   an error (a code recorded, or a record dropped): nothing is written unless "
       "--write-on-error; or a warning with --werror. The last line names the code the "
       "generator records: \"...; nothing written (error N at P m)\"",
       "3   a source could not be found or read, or a compiled file could not be written",
       "64  wrong usage: a missing option, an identifier that cannot be part of a file name, -W "
       "naming no warning or naming an error, a number out of range",
       "With --all: the worst status of the batch, in the order 64, 3, 1, 2, 0; 3 also when a "
       "folder is missing or no pair is found."}));
}

int run_compile_command(const CompileCommand& options, FileSystem& fs, std::ostream& out,
                        std::ostream& err) {
  const CompileOptions& c = options.single;
  const bool single = !c.line_source.empty() || !c.train_source.empty() || c.out_dir != "." ||
                      c.route_id || c.train_number;
  const char* wrong = nullptr;
  if (!options.batch.folders.empty() && single) {
    wrong =
        "--all takes no sources, -o, --route-id or --train-number: each pair is compiled into "
        "its own folder under its own names";
  } else if (options.batch.folders.empty() && (c.line_source.empty() || c.train_source.empty())) {
    wrong = "compile needs LINE_SOURCE and TRAIN_SOURCE, or --all DIR... (see compile --help)";
  }
  if (wrong != nullptr) {
    report_error(err, wrong);
    return exit_code::usage;
  }
  if (options.batch.folders.empty()) return run_compile(c, fs, out, err);
  CompileAllOptions batch = options.batch;
  batch.each = c;
  batch.progress = standard_error_is_terminal();
  return run_compile_all(batch, fs, out, err);
}

}  // namespace scenario::tool
