// `check`: the engineering checks that a compile cannot make, over the compiled files of one
// scenario.
#include <variant>

#include "scenario_tool/check/check_report.h"
#include "scenario_tool/check/run_checks.h"
#include "scenario_tool/scenario/scenario_load.h"
#include "scenario_tool/verbs/guarded.h"
#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {

namespace {

// A file that could not be used outweighs the findings; then errors, and warnings with --werror.
int status_of(int files, const CheckResult& r, bool werror) {
  if (files != exit_code::clean) return files;
  if (r.count(Severity::error) > 0) return exit_code::recorded_code;
  if (werror && r.count(Severity::warning) > 0) return exit_code::recorded_code;
  return exit_code::clean;
}

int check(const CheckOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  if (const std::string problem = parameter_problem(options.parameters); !problem.empty()) {
    err << "check: " << problem << '\n';
    return exit_code::usage;
  }
  const auto located = locate_files(options.paths, fs);
  if (const auto* failure = std::get_if<LocateFailure>(&located)) {
    err << "check: " << failure->message << '\n';
    return failure->exit;
  }
  const LoadedScenario scenario = load_scenario(std::get<ScenarioFiles>(located), fs);
  const int files = report_file_problems(scenario, "check", err, false);
  const CheckResult result = run_checks(scenario, options.parameters);
  for (const std::string& s : result.skipped) err << "check: not checked: " << s << '\n';
  if (options.json) {
    // A path given by the user may hold bytes that are not UTF-8; JSON must stay valid.
    out << check_json(result, scenario, options.parameters)
               .dump(2, ' ', false, Json::error_handler_t::replace)
        << '\n';
  } else {
    write_check_text(result, scenario, options.timetable, out);
  }
  return status_of(files, result, options.werror);
}

}  // namespace

int run_check(const CheckOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  return run_guarded("check", err, [&] { return check(options, fs, out, err); });
}

}  // namespace scenario::tool
