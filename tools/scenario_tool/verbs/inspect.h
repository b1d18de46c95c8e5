// The `inspect` verb: decodes the compiled files of one scenario and tells what they hold.
#pragma once

#include <ostream>

#include "platform/file_system.h"
#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {

// run_inspect on the given file system, so that tests can make a read fail.
int run_inspect_on(const InspectOptions& options, FileSystem& fs, std::ostream& out,
                   std::ostream& err);

}  // namespace scenario::tool
