// `watch`: compile a scenario's two sources at the start and again after every save of either,
// until Ctrl-C; with --view, the page of `view` written after each clean compile, reloading
// itself in the browser.
#pragma once

#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {

struct WatchOptions {
  CompileOptions compile;  // the sources, -o and --check; the rest as compile's defaults
  bool view = false;
  unsigned debounce_ms = 150;  // quiet time after a source's last change before it is read
};

void add_watch_options(CLI::App& command, WatchOptions& options);
int run_watch(const WatchOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err);

}  // namespace scenario::tool
