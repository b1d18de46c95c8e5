// `plot`: draws the compiled files of one scenario as a plan and a profile in SVG.
#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <variant>

#include "platform/paths.h"
#include "platform/replace_files.h"
#include "scenario_tool/plot/pictures.h"
#include "scenario_tool/scenario/open_scenario.h"
#include "scenario_tool/scenario/output_guard.h"
#include "scenario_tool/scenario/reporter.h"
#include "scenario_tool/verbs/guarded.h"
#include "scenario_tool/verbs/number_options.h"
#include "scenario_tool/verbs/output_folder.h"
#include "scenario_tool/verbs/verb_table.h"
#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {

namespace {

// What is wrong with the stretch asked for, if anything (each figure alone is checked as it is
// parsed).
std::optional<std::string> stretch_problem(const PlotOptions& o) {
  if (o.from_km && !(*o.from_km >= 0)) return "--from must be a kilometre of 0 or more";
  if (o.to_km && !(*o.to_km > o.from_km.value_or(0))) return "--to must lie after --from (or 0)";
  if (o.page_km && !(*o.page_km >= 0.1)) return "--page-km must be 0.1 or more";
  return std::nullopt;
}

PlotStretch stretch_of(const PlotOptions& o) {
  const auto metres = [](std::optional<double> km) -> std::optional<double> {
    if (!km) return std::nullopt;
    return *km * 1000;
  };
  return PlotStretch{metres(o.from_km), metres(o.to_km), metres(o.page_km)};
}

// --prefix as given, or the scenario's own name in the -o folder.
std::string prefix_of(const PlotOptions& o, const ScenarioFiles& files) {
  if (o.prefix) return *o.prefix;
  return in_folder(o.out_dir, file_name(default_prefix(files)));
}

int plot(const PlotOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  if (const auto problem = stretch_problem(options)) {
    report_error(err, *problem);
    return exit_code::usage;
  }
  auto opened = open_scenario(options.paths, "plot", fs, err, {.tell_optional_missing = true});
  if (const int* failed = std::get_if<int>(&opened)) return *failed;
  const OpenedScenario& o = std::get<OpenedScenario>(opened);
  const ScenarioFiles& files = o.files;
  const LoadedScenario& loaded = o.loaded;
  int status = o.status;
  std::vector<std::string> notes;
  const std::string prefix = prefix_of(options, files);
  const auto pictures = draw_pictures(loaded, files, prefix, stretch_of(options), notes);
  for (const std::string& note : notes) err << "plot: " << note << '\n';
  if (pictures.empty()) {
    report_error(err, "nothing to draw: the plan needs the line file, the profile the track file");
    return status == exit_code::clean ? exit_code::usage : status;
  }
  std::vector<OutputBlob> pages;
  for (const Picture& p : pictures) {
    if (const auto input = input_at(fs, files, p.path)) {
      report_error(err,
                   "plot: " + p.path + " would replace " + *input + ", one of the files it draws");
      return exit_code::usage;
    }
    pages.push_back({p.path, p.svg});
  }
  if (const auto failure = make_output_folder(fs, folder_of_prefix(prefix))) {
    report_error(err, *failure);
    return status == exit_code::clean ? exit_code::io_failure : status;
  }
  // The pages are replaced as one set: a full disk leaves the old pages, never a mix.
  try {
    replace_files(fs, pages);
    for (const Picture& p : pictures) out << "wrote " << p.path << '\n';
  } catch (const FileError& e) {
    report_error(err, e.what());
    if (status == exit_code::clean) status = exit_code::io_failure;
  }
  return status;
}

}  // namespace

void add_plot_options(CLI::App& cmd, PlotOptions& o) {
  cmd.add_option("PATH", o.paths, "A folder, or the compiled files themselves")->required();
  auto* folder = cmd.add_option("-o,--output", o.out_dir,
                                "Folder for ROUTE_TRAIN_plan.svg and ROUTE_TRAIN_profile.svg "
                                "(the name of the scenario's files), made when missing; the "
                                "pictures are replaced")
                     ->capture_default_str()
                     ->type_name("DIR");
  cmd.add_option("--prefix", o.prefix,
                 "Write PREFIX_plan.svg and PREFIX_profile.svg instead (what -o named before it "
                 "named a folder)")
      ->type_name("PREFIX")
      ->excludes(folder);
  const CLI::Validator zero_or_more = finite_number(NumberRange::zero_or_more);
  const CLI::Validator above_zero = finite_number(NumberRange::above_zero);
  cmd.add_option("--from", o.from_km, "Draw the line from this kilometre on")
      ->type_name("KM")
      ->check(zero_or_more);
  cmd.add_option("--to", o.to_km, "Draw the line up to this kilometre")
      ->type_name("KM")
      ->check(above_zero);
  cmd.add_option("--page-km", o.page_km,
                 "Draw the profile on one page per N km (0.1 or more): PREFIX_profile_01.svg, ...")
      ->type_name("N")
      ->check(above_zero);
  cmd.footer(exit_statuses({"0   both pictures (or the profile alone without a line file) written",
                            "3   a required file cannot be found or read, or a picture cannot "
                            "be written",
                            "64  nothing to draw, or a figure out of range (nan, inf, a "
                            "negative kilometre, --to not after --from, --page-km under 0.1)",
                            "65  a file is damaged"}));
}

int run_plot(const PlotOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  return run_guarded("plot", err, [&] { return plot(options, fs, out, err); });
}

}  // namespace scenario::tool
