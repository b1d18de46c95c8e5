#include "scenario_tool/inspect.h"

#include <exception>
#include <variant>

#include "scenario_tool/inspect_report.h"
#include "scenario_tool/inspect_text.h"
#include "scenario_tool/scenario_files.h"
#include "scenario_tool/scenario_load.h"

namespace scenario::tool {

namespace {

// Reports what went wrong with each file on `err`; returns the exit status it calls for. A
// damaged file outweighs one that could not be read.
int report_file_problems(const LoadedScenario& s, std::ostream& err) {
  bool damaged = false;
  bool io = false;
  for (const FileOutcome& o : s.outcomes) {
    const std::string path = o.path.value_or("");
    switch (o.state) {
      case FileState::missing:
        if (!o.required) break;
        err << "inspect: cannot find the " << role_name(o.role) << " file " << path << '\n';
        io = true;
        break;
      case FileState::unreadable:
        err << "inspect: cannot read " << path << ": " << o.reason << '\n';
        io = true;
        break;
      case FileState::damaged:
        err << "inspect: " << path << ": damaged " << role_name(o.role) << " file at byte "
            << o.error->offset << ": " << o.error->message << '\n';
        damaged = true;
        break;
      case FileState::ok:
      case FileState::not_given:
        break;
    }
  }
  if (damaged) return exit_code::damaged_file;
  return io ? exit_code::io_failure : exit_code::clean;
}

int inspect(const InspectOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
  const auto located = locate_files(options.paths);
  if (const auto* failure = std::get_if<LocateFailure>(&located)) {
    err << "inspect: " << failure->message << '\n';
    return failure->exit;
  }
  const LoadedScenario scenario = load_scenario(std::get<ScenarioFiles>(located), fs);
  const int status = report_file_problems(scenario, err);
  const Json report = build_report(scenario, options.cells);
  for (const Json& w : report.at("warnings")) {
    err << "inspect: warning: " << w.get<std::string>() << '\n';
  }
  if (options.json) {
    // A path given by the user may hold bytes that are not UTF-8; JSON must stay valid.
    out << report.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
  } else {
    write_text_report(report, out);
  }
  return status;
}

}  // namespace

int run_inspect_on(const InspectOptions& options, FileSystem& fs, std::ostream& out,
                   std::ostream& err) {
  try {
    return inspect(options, fs, out, err);
  } catch (const std::exception& e) {
    // Only the system can fail here (memory, a folder that vanishes): the bytes are checked.
    err << "inspect: " << e.what() << '\n';
    return exit_code::io_failure;
  }
}

int run_inspect(const InspectOptions& options, std::ostream& out, std::ostream& err) {
  RealFileSystem fs;
  return run_inspect_on(options, fs, out, err);
}

}  // namespace scenario::tool
