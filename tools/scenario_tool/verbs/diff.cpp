// `diff`: what changed between two compiled scenarios, in the terms of `inspect --cells`.
#include <CLI/CLI.hpp>
#include <variant>

#include "scenario_tool/diff/diff_report.h"
#include "scenario_tool/diff/diff_text.h"
#include "scenario_tool/scenario/open_scenario.h"
#include "scenario_tool/scenario/reporter.h"
#include "scenario_tool/verbs/guarded.h"
#include "scenario_tool/verbs/verb_table.h"
#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {

namespace {

struct Sides {
  ScenarioFiles before;
  ScenarioFiles after;
};

// The first half of the paths is the old scenario, the second half the new; both halves name the
// same kinds of file.
std::variant<Sides, LocateFailure> locate_sides(const std::vector<std::string>& paths,
                                                FileSystem& fs) {
  if (paths.size() < 2 || paths.size() % 2 != 0) {
    return LocateFailure{exit_code::usage,
                         "give the old scenario and the new, each as a folder or as the same "
                         "kinds of compiled file: OLD NEW, or OLD_FILE... NEW_FILE..."};
  }
  const auto half = static_cast<std::ptrdiff_t>(paths.size() / 2);
  const std::vector<std::string> old_paths(paths.begin(), paths.begin() + half);
  const std::vector<std::string> new_paths(paths.begin() + half, paths.end());
  auto before = locate_files(old_paths, fs);
  if (auto* failure = std::get_if<LocateFailure>(&before)) return *failure;
  auto after = locate_files(new_paths, fs);
  if (auto* failure = std::get_if<LocateFailure>(&after)) return *failure;
  Sides sides{std::get<ScenarioFiles>(before), std::get<ScenarioFiles>(after)};
  for (FileRole role : all_roles) {
    if (sides.before[role].has_value() != sides.after[role].has_value()) {
      return LocateFailure{exit_code::usage, std::string("a ") + role_name(role) +
                                                 " file is given on one side only: name the "
                                                 "same kinds of file on both sides"};
    }
  }
  return sides;
}

int diff(const DiffOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  const auto located = locate_sides(options.paths, fs);
  if (const auto* failure = std::get_if<LocateFailure>(&located)) {
    report_error(err, "diff: " + failure->message);
    return failure->exit;
  }
  const Sides& sides = std::get<Sides>(located);
  const OpenedScenario old_side = open_files(sides.before, "diff", fs, err);
  const OpenedScenario new_side = open_files(sides.after, "diff", fs, err);
  const int old_status = old_side.status;
  const int new_status = new_side.status;
  // A damaged file outweighs one that could not be found or read.
  if (old_status == exit_code::damaged_file || new_status == exit_code::damaged_file) {
    return exit_code::damaged_file;
  }
  if (old_status != exit_code::clean || new_status != exit_code::clean) {
    return exit_code::io_failure;
  }
  const Diff report = build_diff(old_side, new_side);
  if (options.json) {
    out << report.json.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
  } else {
    write_diff_text(report, out);
  }
  return report.same() ? exit_code::clean : exit_code::differences;
}

}  // namespace

void add_diff_options(CLI::App& cmd, DiffOptions& o) {
  cmd.add_option("PATH", o.paths,
                 "The old scenario then the new: two folders, or the same compiled files of each "
                 "(OLD.dat OLD.sim NEW.dat NEW.sim)")
      ->required();
  cmd.add_flag("--json", o.json, "Print JSON instead of text");
  cmd.footer(exit_statuses({"0   the same scenario", "1   the scenarios differ",
                            "3   a file or folder is missing or cannot be read",
                            "64  wrong usage: an odd number of paths, a file kind on one side "
                            "only, wrong paths as for inspect",
                            "65  a file is damaged (this outweighs a missing one)"}));
}

int run_diff(const DiffOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  return run_guarded("diff", err, [&] { return diff(options, fs, out, err); });
}

}  // namespace scenario::tool
