// `check`: the engineering checks that a compile cannot make, over the compiled files of one
// scenario.
#include <variant>

#include "scenario_tool/check/check_report.h"
#include "scenario_tool/check/run_checks.h"
#include "scenario_tool/scenario/open_scenario.h"
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
  auto opened = open_scenario(options.paths, "check", fs, err);
  if (const int* failed = std::get_if<int>(&opened)) return *failed;
  const OpenedScenario& o = std::get<OpenedScenario>(opened);
  const LoadedScenario& scenario = o.loaded;
  const int files = o.status;
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
