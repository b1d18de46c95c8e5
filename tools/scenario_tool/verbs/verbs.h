// The verbs of scenario_tool, each a function over its options, a file system and two output
// streams, so that tests can run them without a process and on any file system.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "scenario_tool/check/parameters.h"
#include "scenario_tool/exit_codes.h"
#include "scenario_tool/verbs/verb_signature.h"
#include "scenario_tool/view/reload_hook.h"

namespace scenario::tool {

struct TemplateOptions {
  std::string out_dir = ".";
  bool force = false;
};

struct NewOptions {
  std::string route_id;
  std::string train_number;
  std::string out_dir = ".";
  bool force = false;
};

struct ExplainOptions {
  std::optional<std::string> topic = std::nullopt;  // a code, a record keyword or a warning id
  bool codes = false;
  bool keywords = false;
  bool warnings = false;
};

struct CompileOptions {
  std::string line_source;
  std::string train_source;
  std::string out_dir = ".";
  std::optional<std::string> route_id;
  std::optional<std::string> train_number;
  bool no_line = false;
  bool werror = false;
  std::vector<std::string> warning_flags;  // -W no-ID: the warnings to silence
  bool json = false;                       // the diagnostics as JSON on standard output
  bool write_on_error = false;             // write what the generator would, errors or not
  bool no_sync = false;  // the compiled files are not synced to the storage (batch runs)
  bool check = false;    // the engineering checks too, on the compiled model and the records
};

// compile --all DIR...: every pair of sources under the folders, each compiled into its own
// folder with the options of `each` (its sources, folder and identifiers aside).
struct CompileAllOptions {
  CompileOptions each;
  std::vector<std::string> folders;
  unsigned jobs = 0;      // -j: compiles at once; 0 for one per core
  bool progress = false;  // a progress line on standard error (a terminal)
};

// `compile` as given: one pair of sources, or --all and its folders.
struct CompileCommand {
  CompileOptions single;
  CompileAllOptions batch;
};

// What one compile came to: its exit status, its counts and its error codes (each once, in the
// order first recorded).
struct CompileOutcome {
  int status = exit_code::clean;
  int errors = 0;
  int warnings = 0;
  std::vector<int> codes;
};

struct InspectOptions {
  std::vector<std::string> paths;  // one folder, or the compiled files themselves
  bool cells = false;
  bool json = false;
  bool textconv = false;  // one stable line per item, for git's textconv
};

struct PlotOptions {
  std::vector<std::string> paths;  // one folder, or the compiled files themselves
  // PREFIX_plan.svg and PREFIX_profile.svg, instead of the scenario's name in out_dir.
  std::optional<std::string> prefix = std::nullopt;
  // The stretch drawn, the whole line when not given; one profile page per page_km.
  std::optional<double> from_km = std::nullopt;
  std::optional<double> to_km = std::nullopt;
  std::optional<double> page_km = std::nullopt;
  std::string out_dir = ".";  // ROUTE_TRAIN_plan.svg and ROUTE_TRAIN_profile.svg go here
};

struct ViewOptions {
  std::vector<std::string> paths;  // one folder, or the compiled files themselves
  // The folder of ROUTE_TRAIN.html, or the page itself when it ends in ".html".
  std::string output = ".";
  std::optional<ReloadHook> reload = std::nullopt;  // set by watch alone
};

struct CheckOptions {
  std::vector<std::string> paths;  // one folder, or the compiled files themselves
  bool json = false;
  bool werror = false;
  bool timetable = false;  // print the timetable's sections
  // --sources LINE TRAIN: the sources, to tell each finding on its record's line; found beside
  // the compiled files when not given.
  std::vector<std::string> sources;
  std::vector<std::string> warning_flags;  // -W no-ID: the findings to silence
  CheckParameters parameters;
};

struct DiffOptions {
  std::vector<std::string> paths;  // the old scenario's folder or files, then the new one's
  bool json = false;
};

struct DecompileOptions {
  std::vector<std::string> paths;  // one folder, or the compiled files themselves
  std::string out_dir = ".";
  bool force = false;
};

// Each verb's options and --help footer, added to its command (see verb_table.h).
void add_template_options(CLI::App& command, TemplateOptions& options);
void add_new_options(CLI::App& command, NewOptions& options);
void add_explain_options(CLI::App& command, ExplainOptions& options);
void add_compile_options(CLI::App& command, CompileCommand& options);
void add_inspect_options(CLI::App& command, InspectOptions& options);
void add_plot_options(CLI::App& command, PlotOptions& options);
void add_check_options(CLI::App& command, CheckOptions& options);
void add_diff_options(CLI::App& command, DiffOptions& options);
void add_view_options(CLI::App& command, ViewOptions& options);
void add_decompile_options(CLI::App& command, DecompileOptions& options);

int run_template(const TemplateOptions& options, FileSystem& fs, std::ostream& out,
                 std::ostream& err);
int run_new(const NewOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err);
int run_explain(const ExplainOptions& options, FileSystem& fs, std::ostream& out,
                std::ostream& err);
int run_compile(const CompileOptions& options, FileSystem& fs, std::ostream& out,
                std::ostream& err);
// run_compile's work, with what it came to.
CompileOutcome compile_scenario(const CompileOptions& options, FileSystem& fs, std::ostream& out,
                                std::ostream& err);
int run_compile_all(const CompileAllOptions& options, FileSystem& fs, std::ostream& out,
                    std::ostream& err);
// A single compile or a batch, as the options ask; wrong usage when they mix the two.
int run_compile_command(const CompileCommand& options, FileSystem& fs, std::ostream& out,
                        std::ostream& err);
int run_inspect(const InspectOptions& options, FileSystem& fs, std::ostream& out,
                std::ostream& err);
int run_plot(const PlotOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err);
int run_check(const CheckOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err);
int run_diff(const DiffOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err);
int run_view(const ViewOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err);
int run_decompile(const DecompileOptions& options, FileSystem& fs, std::ostream& out,
                  std::ostream& err);

}  // namespace scenario::tool
