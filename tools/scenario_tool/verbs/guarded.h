// Runs a verb that reads a scenario. Only the system can fail there (memory, a folder that
// vanishes): the bytes are checked. So an exception is a failure of the tool, told as one line,
// and an I/O failure.
#pragma once

#include <exception>
#include <ostream>
#include <string>
#include <string_view>

#include "scenario_tool/exit_codes.h"
#include "scenario_tool/scenario/reporter.h"

namespace scenario::tool {

template <typename Run>
int run_guarded(std::string_view verb, std::ostream& err, Run&& run) {
  try {
    return run();
  } catch (const std::exception& e) {
    report_error(err, std::string(verb) + ": " + e.what());
    return exit_code::io_failure;
  }
}

}  // namespace scenario::tool
