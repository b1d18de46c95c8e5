// `watch`: the compile of `compile`, again after each save. Each run goes through the same
// replacement under the folder's lock, so the output folder never holds a mixed set; a source with
// errors, a missing source or a busy folder is told and watching goes on.
#include "scenario_tool/verbs/watch.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <chrono>
#include <ctime>

#include "format/file_names.h"
#include "platform/interrupts.h"
#include "platform/paths.h"
#include "platform/replace_files.h"
#include "scenario_tool/scenario/reporter.h"
#include "scenario_tool/verbs/identifiers.h"
#include "scenario_tool/verbs/number_options.h"
#include "scenario_tool/verbs/output_folder.h"
#include "scenario_tool/verbs/verb_table.h"
#include "scenario_tool/watch/run_header.h"
#include "scenario_tool/watch/watch_loop.h"

namespace scenario::tool {

namespace {

// The page and its stamp, in the output folder, after a clean compile.
class PageWriter {
 public:
  PageWriter(const ScenarioNames& names, FileSystem& fs) : names_(names), fs_(fs) {}

  void write(std::ostream& out, std::ostream& err) {
    const std::string base = names_.route_id + "_" + names_.train_number;
    // Greater than the last even when the clock steps back: the page reloads on a greater one.
    const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    stamp_ = std::max<std::int64_t>(now, stamp_ + 1);
    ViewOptions view;
    view.paths = {line_file_path(names_), table_file_path(names_), track_file_path(names_)};
    view.output = names_.folder;
    view.reload = ReloadHook{base + ".stamp.js", stamp_};
    if (run_view(view, fs_, out, err) != exit_code::clean) return;
    // After the page: a browser that sees the new stamp finds the new page.
    try {
      replace_file(fs_, in_folder(names_.folder, base + ".stamp.js"), stamp_script(stamp_));
    } catch (const FileError& e) {
      report_error(err, e.what());
    }
  }

 private:
  const ScenarioNames& names_;
  FileSystem& fs_;
  std::int64_t stamp_ = 0;
};

int watch(const WatchOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  ScenarioNames names{options.compile.out_dir, {}, {}};
  if (!derive_identifiers(options.compile, names.route_id, names.train_number, err))
    return exit_code::usage;
  const WatchedSources sources =
      watched_sources(options.compile.line_source, options.compile.train_source);
  std::string reason;
  const auto folder_watch = watch_folders(sources.folders, &reason);
  if (!folder_watch) {
    report_error(err, "watch: cannot watch the folders of the sources: " + reason);
    return exit_code::io_failure;
  }
  const InterruptsEndLoop interrupts;
  PageWriter page(names, fs);
  int run = 0;
  const auto compile = [&](const std::vector<std::string>& saved) {
    out << run_header(++run, saved, std::time(nullptr)) << '\n' << std::flush;
    const CompileOutcome outcome = compile_scenario(options.compile, fs, out, err);
    if (outcome.status == exit_code::clean && options.view) page.write(out, err);
    out << std::flush;
    err << std::flush;
    return outcome.status != exit_code::io_failure;
  };
  try {
    run_watch_loop({sources, *folder_watch, fs, std::chrono::milliseconds(options.debounce_ms),
                    compile, [&] { return interrupts.stop_requested(); }},
                   err);
  } catch (const Interrupted&) {
    // The compile under way put the old set back: the folder is as before it.
  }
  err << "watch: stopped\n";
  return exit_code::clean;
}

}  // namespace

void add_watch_options(CLI::App& cmd, WatchOptions& options) {
  CompileOptions& o = options.compile;
  cmd.add_option("LINE_SOURCE", o.line_source, "The line description (ROUTE_linea.txt)")
      ->required();
  cmd.add_option("TRAIN_SOURCE", o.train_source, "The train description (ROUTE_TRAIN-.txt)")
      ->required();
  cmd.add_option("-o,--output", o.out_dir,
                 "Folder for the compiled files, made when missing; they are replaced at each "
                 "clean compile")
      ->capture_default_str();
  cmd.add_flag("--view", options.view,
               "After each clean compile, write the page of view into the output folder too "
               "(ROUTE_TRAIN.html), which an open browser tab reloads by itself");
  cmd.add_flag("--check", o.check,
               "Run the engineering checks of `check` too, as compile --check does");
  add_number_option(cmd, "--debounce", options.debounce_ms,
                    "Milliseconds without a change to a source before it is read and compiled",
                    finite_number(NumberRange::above_zero))
      ->type_name("MS");
  cmd.footer(exit_statuses(
      {"0   stopped by Ctrl-C (SIGINT) or SIGTERM; errors in the sources are told and never "
       "end the watch",
       "3   a folder of the sources cannot be watched (missing, or not readable)",
       "64  wrong usage: a missing source argument, a name that gives no identifier, a number "
       "out of range"}));
}

int run_watch(const WatchOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  return watch(options, fs, out, err);
}

}  // namespace scenario::tool
