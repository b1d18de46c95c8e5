// `check`: the engineering checks that a compile cannot make, over the compiled files of one
// scenario.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <sstream>
#include <variant>

#include "scenario_tool/check/check_report.h"
#include "scenario_tool/check/run_checks.h"
#include "scenario_tool/scenario/open_scenario.h"
#include "scenario_tool/scenario/reporter.h"
#include "scenario_tool/verbs/check_sources.h"
#include "scenario_tool/verbs/guarded.h"
#include "scenario_tool/verbs/number_options.h"
#include "scenario_tool/verbs/verb_table.h"
#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {

namespace {

// The ids that -W no-ID silences; an empty message when every flag names a check.
std::string silenced_checks(const std::vector<std::string>& flags, std::vector<std::string>& ids) {
  const auto check_ids = all_check_ids();
  for (const std::string& flag : flags) {
    const std::string id = flag.starts_with("no-") ? flag.substr(3) : "";
    if (std::find(check_ids.begin(), check_ids.end(), id) == check_ids.end()) {
      return "-W " + flag + ": not a check to silence (give no-ID, ID one of the checks that " +
             "check --help lists)";
    }
    ids.push_back(id);
  }
  return {};
}

// A file that could not be used outweighs the findings; then errors, and warnings with --werror.
int status_of(int files, const CheckResult& r, bool werror) {
  if (files != exit_code::clean) return files;
  if (r.count(Severity::error) > 0) return exit_code::recorded_code;
  if (werror && r.count(Severity::warning) > 0) return exit_code::recorded_code;
  return exit_code::clean;
}

// The sources given, or those beside the compiled files; given ones that cannot be read are told.
std::optional<SourcePlaces> findings_placed(const CheckOptions& o, const LoadedScenario& scenario,
                                            const CheckResult& r, FileSystem& fs,
                                            std::ostream& err) {
  if (o.sources.size() == 2) {
    auto placed = place_findings(r, o.sources[0], o.sources[1], fs);
    if (!placed) err << "check: sources not read: the findings are told without their lines\n";
    return placed;
  }
  const auto beside = sources_beside(scenario);
  if (!beside) return std::nullopt;
  return place_findings(r, beside->first, beside->second, fs);
}

int check(const CheckOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  std::vector<std::string> silenced;
  std::string problem = silenced_checks(options.warning_flags, silenced);
  if (problem.empty()) problem = parameter_problem(options.parameters);
  if (!problem.empty()) {
    report_error(err, problem);
    return exit_code::usage;
  }
  auto opened = open_scenario(options.paths, "check", fs, err);
  if (const int* failed = std::get_if<int>(&opened)) return *failed;
  const OpenedScenario& o = std::get<OpenedScenario>(opened);
  const LoadedScenario& scenario = o.loaded;
  const int files = o.status;
  CheckResult result = run_checks(scenario, options.parameters);
  std::erase_if(result.findings, [&](const CheckFinding& f) {
    return std::find(silenced.begin(), silenced.end(), f.check) != silenced.end();
  });
  for (const std::string& s : result.skipped) err << "check: not checked: " << s << '\n';
  const auto places = findings_placed(options, scenario, result, fs, err);
  if (options.json) {
    Json document = check_json(result, scenario, options.parameters);
    if (places) add_places(document, *places);
    // A path given by the user may hold bytes that are not UTF-8; JSON must stay valid.
    out << document.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
  } else {
    std::ostringstream text;
    write_check_text(result, scenario, options.timetable, text);
    out << (places ? with_places(text.str(), *places) : text.str());
  }
  return status_of(files, result, options.werror);
}

}  // namespace

void add_check_options(CLI::App& cmd, CheckOptions& o) {
  cmd.add_option("PATH", o.paths, "A folder, or the compiled files themselves")->required();
  cmd.add_flag("--json", o.json, "Print JSON instead of text");
  cmd.add_flag("--werror", o.werror, "Treat warnings as errors for the exit status");
  std::string ids;
  for (const char* id : all_check_ids()) ids += std::string(ids.empty() ? "" : ", ") + id;
  cmd.add_option("-W", o.warning_flags, "-W no-ID leaves out the findings of the check ID: " + ids)
      ->type_name("no-ID");
  cmd.add_option("--sources", o.sources,
                 "The line and train sources (LINE TRAIN), to tell each finding on its record's "
                 "line; by default those beside the compiled files, when there")
      ->expected(2)
      ->type_name("LINE TRAIN");
  cmd.add_flag("--timetable", o.timetable,
               "Print each timetable section: scheduled, lower bound, estimate, margin");
  CheckParameters& p = o.parameters;
  const CLI::Validator zero_or_more = finite_number(NumberRange::zero_or_more);
  add_number_option(cmd, "--cant", p.cant_mm, "Cant of the curves, mm", zero_or_more);
  add_number_option(cmd, "--cant-deficiency", p.cant_deficiency_mm, "Cant deficiency allowed, mm",
                    zero_or_more);
  add_number_option(cmd, "--max-gradient", p.max_gradient_per_mille, "Steepest gradient, per mille",
                    zero_or_more);
  add_rate_options(cmd, p.accel_m_s2, p.decel_m_s2, "the estimate");
  add_number_option(cmd, "--dwell", p.dwell_s,
                    "Seconds the estimate stands at each stop on the way (0: the running alone)",
                    zero_or_more);
  cmd.footer(exit_statuses({"0   no error-level finding (warnings allowed unless --werror)",
                            "2   an error-level finding, or a warning with --werror",
                            "3   a file or folder cannot be found or read",
                            "64  wrong usage: an option out of range (nan, inf, a negative "
                            "figure, 0 for --accel or --decel), -W naming no check, wrong paths",
                            "65  a damaged file"}));
}

int run_check(const CheckOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  return run_guarded("check", err, [&] { return check(options, fs, out, err); });
}

}  // namespace scenario::tool
