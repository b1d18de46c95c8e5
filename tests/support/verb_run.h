// Runs one of scenario_tool's verbs in the test's own process, with its output caught.
#pragma once

#include <sstream>
#include <string>

namespace scenario::testing {

struct VerbRun {
  int status = -1;
  std::string out;
  std::string err;
};

// `verb` is any run_* entry point: (options, file system, out, err) -> exit status.
template <typename Verb, typename Options, typename FileSystem>
VerbRun run_verb(Verb verb, const Options& o, FileSystem& fs) {
  std::ostringstream out;
  std::ostringstream err;
  VerbRun r;
  r.status = verb(o, fs, out, err);
  r.out = out.str();
  r.err = err.str();
  return r;
}

}  // namespace scenario::testing
