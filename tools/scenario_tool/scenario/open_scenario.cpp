#include "scenario_tool/scenario/open_scenario.h"

#include "scenario_tool/exit_codes.h"
#include "scenario_tool/scenario/reporter.h"

namespace scenario::tool {

std::variant<OpenedScenario, int> open_scenario(const std::vector<std::string>& paths,
                                                std::string_view verb, FileSystem& fs,
                                                std::ostream& err, const OpenOptions& options) {
  const auto located = locate_files(paths, fs);
  if (const auto* failure = std::get_if<LocateFailure>(&located)) {
    report_error(err, std::string(verb) + ": " + failure->message);
    return failure->exit;
  }
  const ScenarioFiles& files = std::get<ScenarioFiles>(located);
  if (options.refuse) {
    if (const std::optional<std::string> why = options.refuse(files)) {
      report_error(err, std::string(verb) + ": " + *why);
      return exit_code::usage;
    }
  }
  return open_files(files, verb, fs, err, options);
}

OpenedScenario open_files(const ScenarioFiles& files, std::string_view verb, FileSystem& fs,
                          std::ostream& err, const OpenOptions& options) {
  OpenedScenario out{files, load_scenario(files, fs, options.load), {}, 0};
  out.status = report_file_problems(out.loaded, verb, err, options.tell_optional_missing);
  out.scenario = decode_scenario(out.loaded);
  return out;
}

}  // namespace scenario::tool
