// Runs a verb that reads a scenario. Only the system can fail there (memory, a folder that
// vanishes): the bytes are checked. So an exception is told as "VERB: what" and is an I/O failure.
#pragma once

#include <exception>
#include <ostream>
#include <string_view>

#include "scenario_tool/exit_codes.h"

namespace scenario::tool {

template <typename Run>
int run_guarded(std::string_view verb, std::ostream& err, Run&& run) {
  try {
    return run();
  } catch (const std::exception& e) {
    err << verb << ": " << e.what() << '\n';
    return exit_code::io_failure;
  }
}

}  // namespace scenario::tool
