// scenario_tool: compiles an author's own scenario sources with diagnostics, and decodes the
// compiled files.
#include <CLI/CLI.hpp>
#include <csignal>
#include <initializer_list>
#include <iostream>

#include "platform/file_system.h"
#include "platform/interrupts.h"
#include "platform/terminal.h"
#include "platform/utf8_arguments.h"
#include "scenario_tool/verbs/verbs.h"
#include "version/version.h"

namespace {

using namespace scenario::tool;

// The exit statuses a verb's --help lists (and so its manual page).
std::string exit_statuses(std::initializer_list<const char*> lines) {
  std::string text = "Exit status:";
  for (const char* line : lines) text += std::string("\n  ") + line;
  return text + "\n";
}

void add_template(CLI::App& app, TemplateOptions& o) {
  auto* cmd = app.add_subcommand("template",
                                 "Write the built-in line and train sources as a starting point");
  cmd->add_option("-o,--output", o.out_dir, "Folder to write into")->capture_default_str();
  cmd->add_flag("--force", o.force, "Replace sources that are already there");
  cmd->footer(exit_statuses({"0   the sources were written",
                             "3   a folder or a file could not be made or written",
                             "64  a source is already there and --force was not given"}));
}

void add_new(CLI::App& app, NewOptions& o) {
  auto* cmd = app.add_subcommand(
      "new",
      "Write a small commented scenario to start from: ROUTE_linea.txt and ROUTE_TRAIN-.txt");
  cmd->add_option("ROUTE", o.route_id, "Route identifier")->required();
  cmd->add_option("TRAIN", o.train_number, "Train number")->required();
  cmd->add_option("-o,--output", o.out_dir, "Folder to write into")->capture_default_str();
  cmd->add_flag("--force", o.force, "Replace sources that are already there");
  cmd->footer(exit_statuses({"0   the sources were written",
                             "3   a folder or a file could not be made or written",
                             "64  a source is already there and --force was not given, or an "
                             "identifier cannot be part of a file name"}));
}

void add_explain(CLI::App& app, ExplainOptions& o) {
  auto* cmd = app.add_subcommand(
      "explain", "Explain a code of compile, a record keyword of the sources, or a warning");
  cmd->add_option("TOPIC", o.topic, "A code (16), a keyword (segnale) or a warning id (rounded)");
  cmd->add_flag("--codes", o.codes, "List every code");
  cmd->add_flag("--keywords", o.keywords, "List every record keyword");
  cmd->add_flag("--warnings", o.warnings, "List every warning");
  cmd->footer(exit_statuses({"0   explained", "64  the topic is no code, keyword or warning"}));
}

void add_compile(CLI::App& app, CompileOptions& o, CompileAllOptions& batch) {
  auto* cmd = app.add_subcommand(
      "compile",
      "Compile a line source and a train source into the three files the simulator loads");
  // Required unless --all is given, which takes none of these: run_verb checks.
  cmd->add_option("LINE_SOURCE", o.line_source, "The line description (ROUTE_linea.txt)");
  cmd->add_option("TRAIN_SOURCE", o.train_source, "The train description (ROUTE_TRAIN-.txt)");
  cmd->add_option("-o,--output", o.out_dir, "Folder for the compiled files")->capture_default_str();
  cmd->add_option("--route-id", o.route_id, "Route identifier (default: from LINE_SOURCE's name)");
  cmd->add_option("--train-number", o.train_number,
                  "Train number (default: from TRAIN_SOURCE's name)");
  auto* all = cmd->add_option("--all", batch.folders,
                              "Compile every ROUTE_linea.txt / ROUTE_TRAIN-.txt pair found under "
                              "the folders, each into its own folder, several at once, and print "
                              "a summary")
                  ->type_name("DIR");
  cmd->add_option("-j,--jobs", batch.jobs, "With --all: compiles at once (default: one per core)")
      ->needs(all)
      ->check(CLI::PositiveNumber);
  cmd->add_flag("--no-line", o.no_line, "Do not build the line geometry nor write the line file");
  cmd->add_flag("--no-sync", o.no_sync,
                "Do not wait for the compiled files to reach the disk: faster, but a power cut "
                "may then lose them");
  cmd->add_flag("--werror", o.werror, "Treat warnings as errors for the exit status");
  cmd->add_option("-W", o.warning_flags,
                  "-W no-ID silences the warning ID (scenario_tool explain --warnings lists them)")
      ->type_name("no-ID");
  cmd->footer(exit_statuses(
      {"0   clean (warnings allowed unless --werror)",
       "1   a header conflict (code 1250 or 1251): nothing was written",
       "2   a code was recorded, or a warning with --werror; the files are written unless the "
       "compile stopped before it had a track",
       "3   a source could not be found or read, or a compiled file could not be written",
       "64  wrong usage: a missing option, an identifier that cannot be part of a file name, -W "
       "naming no warning",
       "With --all: the worst status of the batch, in the order 64, 3, 1, 2, 0; 3 also when a "
       "folder is missing or no pair is found."}));
}

void add_inspect(CLI::App& app, InspectOptions& o) {
  auto* cmd = app.add_subcommand("inspect", "Decode the compiled files of a scenario");
  cmd->add_option("PATH", o.paths, "A folder, or the compiled files themselves")->required();
  cmd->add_flag("--cells", o.cells, "List every occupied cell and every change of the stretches");
  auto* json = cmd->add_flag("--json", o.json, "Print JSON instead of text");
  cmd->add_flag("--textconv", o.textconv,
                "Print one stable line per item, with the cells, for git's textconv (see README)")
      ->excludes(json);
  cmd->footer(exit_statuses({"0   clean", "3   a file or folder is missing or cannot be read",
                             "64  wrong paths: an unknown file ending, two files of one kind, "
                             "several scenarios in one folder",
                             "65  a file is damaged (this outweighs a missing one)"}));
}

void add_plot(CLI::App& app, PlotOptions& o) {
  auto* cmd = app.add_subcommand(
      "plot", "Draw the compiled files of a scenario as a plan and a profile (SVG)");
  cmd->add_option("PATH", o.paths, "A folder, or the compiled files themselves")->required();
  cmd->add_option("-o,--output", o.prefix,
                  "Write PREFIX_plan.svg and PREFIX_profile.svg (default: ROUTE_TRAIN, the name "
                  "of the scenario's files, in the current folder)");
  cmd->add_option("--from", o.from_km, "Draw the line from this kilometre on")->type_name("KM");
  cmd->add_option("--to", o.to_km, "Draw the line up to this kilometre")->type_name("KM");
  cmd->add_option("--page-km", o.page_km,
                  "Draw the profile on one page per N km: PREFIX_profile_01.svg, ...")
      ->type_name("N");
  cmd->footer(exit_statuses({"0   both pictures (or the profile alone without a line file) written",
                             "3   a required file cannot be found or read, or a picture cannot "
                             "be written",
                             "64  nothing to draw", "65  a file is damaged"}));
}

void add_view(CLI::App& app, ViewOptions& o) {
  auto* cmd = app.add_subcommand(
      "view", "Show the compiled files of a scenario as one interactive page (HTML)");
  cmd->add_option("PATH", o.paths, "A folder, or the compiled files themselves")->required();
  cmd->add_option("-o,--output", o.output,
                  "The page to write (default: ROUTE_TRAIN.html, the name of the scenario's "
                  "files, in the current folder)");
  cmd->footer(exit_statuses({"0   the page was written",
                             "3   a file cannot be found or read, or the page cannot be written",
                             "64  nothing to show, or wrong paths as for inspect",
                             "65  a file is damaged"}));
}

void add_check(CLI::App& app, CheckOptions& o) {
  auto* cmd = app.add_subcommand(
      "check",
      "Check a compiled scenario as a railway engineer would: curve speeds, gradients, "
      "a drivable timetable, boards, stops and signs");
  cmd->add_option("PATH", o.paths, "A folder, or the compiled files themselves")->required();
  cmd->add_flag("--json", o.json, "Print JSON instead of text");
  cmd->add_flag("--werror", o.werror, "Treat warnings as errors for the exit status");
  cmd->add_flag("--timetable", o.timetable,
                "Print each timetable section: scheduled, lower bound, estimate, margin");
  CheckParameters& p = o.parameters;
  cmd->add_option("--cant", p.cant_mm, "Cant of the curves, mm")->capture_default_str();
  cmd->add_option("--cant-deficiency", p.cant_deficiency_mm, "Cant deficiency allowed, mm")
      ->capture_default_str();
  cmd->add_option("--max-gradient", p.max_gradient_per_mille, "Steepest gradient, per mille")
      ->capture_default_str();
  cmd->add_option("--accel", p.accel_m_s2, "Acceleration of the estimate, m/s2")
      ->capture_default_str();
  cmd->add_option("--decel", p.decel_m_s2, "Braking of the estimate, m/s2")->capture_default_str();
  cmd->footer(exit_statuses({"0   no error-level finding (warnings allowed unless --werror)",
                             "2   an error-level finding, or a warning with --werror",
                             "3   a file or folder cannot be found or read",
                             "64  wrong usage: an option out of range, wrong paths",
                             "65  a damaged file"}));
}

void add_diff(CLI::App& app, DiffOptions& o) {
  auto* cmd = app.add_subcommand(
      "diff", "Tell what changed between two compiled scenarios, in the terms of inspect --cells");
  cmd->add_option("PATH", o.paths,
                  "The old scenario then the new: two folders, or the same compiled files of each "
                  "(OLD.dat OLD.sim NEW.dat NEW.sim)")
      ->required();
  cmd->add_flag("--json", o.json, "Print JSON instead of text");
  cmd->footer(exit_statuses({"0   the same scenario", "1   the scenarios differ",
                             "3   a file or folder is missing or cannot be read",
                             "64  wrong usage: an odd number of paths, a file kind on one side "
                             "only, wrong paths as for inspect",
                             "65  a file is damaged (this outweighs a missing one)"}));
}

void add_decompile(CLI::App& app, DecompileOptions& o) {
  auto* cmd = app.add_subcommand(
      "decompile",
      "Write the line and train sources that compile back to a scenario's files, byte for byte");
  cmd->add_option("PATH", o.paths, "A folder, or the compiled files themselves")->required();
  cmd->add_option("-o,--output", o.out_dir, "Folder for the two sources")->capture_default_str();
  cmd->add_flag("--force", o.force, "Replace sources that are already there");
  cmd->footer(
      exit_statuses({"0   the sources compile back to the same files, byte for byte",
                     "2   the sources compile to other bytes (the first difference is named)",
                     "3   a file cannot be read, or a source cannot be written",
                     "64  wrong usage, or a source is already there and --force was not given",
                     "65  a damaged file, or files of two scenarios"}));
}

struct AllOptions {
  TemplateOptions template_options;
  NewOptions new_options;
  ExplainOptions explain_options;
  CompileOptions compile_options;
  CompileAllOptions compile_all_options;
  InspectOptions inspect_options;
  PlotOptions plot_options;
  CheckOptions check_options;
  DiffOptions diff_options;
  ViewOptions view_options;
  DecompileOptions decompile_options;
};

int run_verb(const std::string& verb, AllOptions& o) {
  scenario::RealFileSystem fs;
  if (verb == "compile") {
    const CompileOptions& c = o.compile_options;
    CompileAllOptions& batch = o.compile_all_options;
    const bool single = !c.line_source.empty() || !c.train_source.empty() || c.out_dir != "." ||
                        c.route_id || c.train_number;
    const char* wrong = nullptr;
    if (!batch.folders.empty() && single) {
      wrong =
          "--all takes no sources, -o, --route-id or --train-number: each pair is compiled "
          "into its own folder under its own names";
    } else if (batch.folders.empty() && (c.line_source.empty() || c.train_source.empty())) {
      wrong = "compile needs LINE_SOURCE and TRAIN_SOURCE, or --all DIR...";
    }
    if (wrong != nullptr) {
      std::cerr << "scenario_tool: " << wrong << "\nRun with --help for more information.\n";
      return exit_code::usage;
    }
    if (!batch.folders.empty()) {
      batch.each = c;
      batch.progress = scenario::standard_error_is_terminal();
      return run_compile_all(batch, fs, std::cout, std::cerr);
    }
  }
  if (verb == "template") return run_template(o.template_options, fs, std::cout, std::cerr);
  if (verb == "new") return run_new(o.new_options, fs, std::cout, std::cerr);
  if (verb == "explain") return run_explain(o.explain_options, fs, std::cout, std::cerr);
  if (verb == "compile") return run_compile(o.compile_options, fs, std::cout, std::cerr);
  if (verb == "plot") return run_plot(o.plot_options, fs, std::cout, std::cerr);
  if (verb == "check") return run_check(o.check_options, fs, std::cout, std::cerr);
  if (verb == "diff") return run_diff(o.diff_options, fs, std::cout, std::cerr);
  if (verb == "view") return run_view(o.view_options, fs, std::cout, std::cerr);
  if (verb == "decompile") return run_decompile(o.decompile_options, fs, std::cout, std::cerr);
  return run_inspect(o.inspect_options, fs, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
  scenario::Utf8Arguments arguments(argc, argv);
  scenario::use_utf8_console();
  scenario::install_interrupt_handlers();
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  CLI::App app{"Compile and inspect railway scenarios", "scenario_tool"};
  app.require_subcommand(1);
  app.set_version_flag("--version", "scenario_tool " + scenario::version_text(),
                       "Print the version and exit");
  app.footer(
      "Every verb has --help. Exit status: 0 clean, 1 header conflict, 2 code recorded, 3 file "
      "not found, read or written, 64 wrong usage, 65 damaged file; each verb's --help tells "
      "which it gives.");
  AllOptions o;
  add_template(app, o.template_options);
  add_new(app, o.new_options);
  add_explain(app, o.explain_options);
  add_compile(app, o.compile_options, o.compile_all_options);
  add_inspect(app, o.inspect_options);
  add_plot(app, o.plot_options);
  add_check(app, o.check_options);
  add_diff(app, o.diff_options);
  add_view(app, o.view_options);
  add_decompile(app, o.decompile_options);
  try {
    app.parse(arguments.argc(), arguments.argv());
  } catch (const CLI::ParseError& e) {
    const int rc = app.exit(e);
    return rc == 0 ? exit_code::clean : exit_code::usage;
  }
  try {
    return run_verb(app.get_subcommands().front()->get_name(), o);
  } catch (const scenario::Interrupted& interrupted) {
    scenario::end_by_signal(interrupted.signal);
  }
}
