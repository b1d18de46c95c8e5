// scenario_tool: compiles an author's own scenario sources with diagnostics, and decodes the
// compiled files.
#include <CLI/CLI.hpp>
#include <csignal>
#include <iostream>

#include "platform/file_system.h"
#include "platform/interrupts.h"
#include "scenario_tool/verbs/verbs.h"

namespace {

using namespace scenario::tool;

void add_template(CLI::App& app, TemplateOptions& o) {
  auto* cmd = app.add_subcommand("template",
                                 "Write the built-in line and train sources as a starting point");
  cmd->add_option("-o,--output", o.out_dir, "Folder to write into")->capture_default_str();
  cmd->add_flag("--force", o.force, "Replace sources that are already there");
}

void add_new(CLI::App& app, NewOptions& o) {
  auto* cmd = app.add_subcommand(
      "new",
      "Write a small commented scenario to start from: ROUTE_linea.txt and ROUTE_TRAIN-.txt");
  cmd->add_option("ROUTE", o.route_id, "Route identifier")->required();
  cmd->add_option("TRAIN", o.train_number, "Train number")->required();
  cmd->add_option("-o,--output", o.out_dir, "Folder to write into")->capture_default_str();
  cmd->add_flag("--force", o.force, "Replace sources that are already there");
}

void add_explain(CLI::App& app, ExplainOptions& o) {
  auto* cmd = app.add_subcommand(
      "explain", "Explain a code of compile, a record keyword of the sources, or a warning");
  cmd->add_option("TOPIC", o.topic, "A code (16), a keyword (segnale) or a warning id (rounded)");
  cmd->add_flag("--codes", o.codes, "List every code");
  cmd->add_flag("--keywords", o.keywords, "List every record keyword");
  cmd->add_flag("--warnings", o.warnings, "List every warning");
}

void add_compile(CLI::App& app, CompileOptions& o) {
  auto* cmd = app.add_subcommand(
      "compile",
      "Compile a line source and a train source into the three files the simulator loads");
  cmd->add_option("LINE_SOURCE", o.line_source, "The line description (ROUTE_linea.txt)")
      ->required();
  cmd->add_option("TRAIN_SOURCE", o.train_source, "The train description (ROUTE_TRAIN-.txt)")
      ->required();
  cmd->add_option("-o,--output", o.out_dir, "Folder for the compiled files")->capture_default_str();
  cmd->add_option("--route-id", o.route_id, "Route identifier (default: from LINE_SOURCE's name)");
  cmd->add_option("--train-number", o.train_number,
                  "Train number (default: from TRAIN_SOURCE's name)");
  cmd->add_flag("--no-line", o.no_line, "Do not build the line geometry nor write the line file");
  cmd->add_flag("--werror", o.werror, "Treat warnings as errors for the exit status");
  cmd->add_option("-W", o.warning_flags,
                  "-W no-ID silences the warning ID (scenario_tool explain --warnings lists them)")
      ->type_name("no-ID");
}

void add_inspect(CLI::App& app, InspectOptions& o) {
  auto* cmd = app.add_subcommand("inspect", "Decode the compiled files of a scenario");
  cmd->add_option("PATH", o.paths, "A folder, or the compiled files themselves")->required();
  cmd->add_flag("--cells", o.cells, "List every occupied cell and every change of the stretches");
  auto* json = cmd->add_flag("--json", o.json, "Print JSON instead of text");
  cmd->add_flag("--textconv", o.textconv,
                "Print one stable line per item, with the cells, for git's textconv (see README)")
      ->excludes(json);
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
}

void add_view(CLI::App& app, ViewOptions& o) {
  auto* cmd = app.add_subcommand(
      "view", "Show the compiled files of a scenario as one interactive page (HTML)");
  cmd->add_option("PATH", o.paths, "A folder, or the compiled files themselves")->required();
  cmd->add_option("-o,--output", o.output,
                  "The page to write (default: ROUTE_TRAIN.html, the name of the scenario's "
                  "files, in the current folder)");
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
}

void add_diff(CLI::App& app, DiffOptions& o) {
  auto* cmd = app.add_subcommand(
      "diff", "Tell what changed between two compiled scenarios, in the terms of inspect --cells");
  cmd->add_option("PATH", o.paths,
                  "The old scenario then the new: two folders, or the same compiled files of each "
                  "(OLD.dat OLD.sim NEW.dat NEW.sim)")
      ->required();
  cmd->add_flag("--json", o.json, "Print JSON instead of text");
}

void add_decompile(CLI::App& app, DecompileOptions& o) {
  auto* cmd = app.add_subcommand(
      "decompile",
      "Write the line and train sources that compile back to a scenario's files, byte for byte");
  cmd->add_option("PATH", o.paths, "A folder, or the compiled files themselves")->required();
  cmd->add_option("-o,--output", o.out_dir, "Folder for the two sources")->capture_default_str();
  cmd->add_flag("--force", o.force, "Replace sources that are already there");
}

struct AllOptions {
  TemplateOptions template_options;
  NewOptions new_options;
  ExplainOptions explain_options;
  CompileOptions compile_options;
  InspectOptions inspect_options;
  PlotOptions plot_options;
  CheckOptions check_options;
  DiffOptions diff_options;
  ViewOptions view_options;
  DecompileOptions decompile_options;
};

int run_verb(const std::string& verb, const AllOptions& o) {
  scenario::RealFileSystem fs;
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
  scenario::install_interrupt_handlers();
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  CLI::App app{"Compile and inspect railway scenarios", "scenario_tool"};
  app.require_subcommand(1);
  AllOptions o;
  add_template(app, o.template_options);
  add_new(app, o.new_options);
  add_explain(app, o.explain_options);
  add_compile(app, o.compile_options);
  add_inspect(app, o.inspect_options);
  add_plot(app, o.plot_options);
  add_check(app, o.check_options);
  add_diff(app, o.diff_options);
  add_view(app, o.view_options);
  add_decompile(app, o.decompile_options);
  try {
    app.parse(argc, argv);
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
