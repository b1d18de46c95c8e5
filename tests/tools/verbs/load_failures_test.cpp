// Every verb that reads compiled files fails in one voice: a file missing, unreadable, damaged or
// named wrongly is "scenario_tool: error: VERB: ..." on standard error, whichever verb reads it.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/memory_file_system.h"
#include "scenario_tool/exit_codes.h"
#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {
namespace {

using Paths = std::vector<std::string>;
using Runner = std::function<int(const Paths&, FileSystem&, std::ostream&, std::ostream&)>;

struct Verb {
  const char* name;
  Runner run;
};

std::vector<Verb> verbs() {
  return {
      {"inspect", [](const Paths& p, FileSystem& fs, std::ostream& o,
                     std::ostream& e) { return run_inspect(InspectOptions{p}, fs, o, e); }},
      {"check",
       [](const Paths& p, FileSystem& fs, std::ostream& o, std::ostream& e) {
         CheckOptions options;
         options.paths = p;
         return run_check(options, fs, o, e);
       }},
      {"plot",
       [](const Paths& p, FileSystem& fs, std::ostream& o, std::ostream& e) {
         PlotOptions options;
         options.paths = p;
         options.out_dir = "/pictures";
         return run_plot(options, fs, o, e);
       }},
      {"view",
       [](const Paths& p, FileSystem& fs, std::ostream& o, std::ostream& e) {
         return run_view(ViewOptions{p, "/page"}, fs, o, e);
       }},
      {"decompile",
       [](const Paths& p, FileSystem& fs, std::ostream& o, std::ostream& e) {
         return run_decompile(DecompileOptions{p, "/sources", false}, fs, o, e);
       }},
      {"diff",
       [](const Paths& p, FileSystem& fs, std::ostream& o, std::ostream& e) {
         Paths both = p;
         both.insert(both.end(), p.begin(), p.end());
         return run_diff(DiffOptions{both, false}, fs, o, e);
       }},
  };
}

TEST(LoadFailures, EveryReadingVerbNamesItselfAfterTheToolsErrorPrefix) {
  MemoryFileSystem fs;
  // 1000 bytes are no whole number of 15-byte cells; 10 bytes are no whole table.
  fs.put("/damaged/R_1.dat", std::string(1000, '\0'));
  fs.put("/damaged/R_1.sim", std::string(10, '\x01'));
  fs.put("/named/R_1.txt", "not compiled");
  const struct {
    const char* what;
    Paths paths;
    int status;
    const char* holds;
  } cases[] = {
      {"a path that is not there", {"/nowhere"}, exit_code::io_failure, "no file or folder"},
      {"a file of no compiled kind", {"/named/R_1.txt"}, exit_code::usage, "cannot tell which"},
      {"damaged files", {"/damaged"}, exit_code::damaged_file, "damaged track file at byte"},
  };
  for (const Verb& verb : verbs()) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(verb.name) + ": " + c.what);
      std::ostringstream out;
      std::ostringstream err;
      EXPECT_EQ(verb.run(c.paths, fs, out, err), c.status);
      const std::string text = err.str();
      const std::string prefix = "scenario_tool: error: " + std::string(verb.name) + ": ";
      EXPECT_EQ(text.rfind(prefix, 0), 0u) << text;
      EXPECT_NE(text.find(c.holds), std::string::npos) << text;
      // No failure of the files is told in the verb's own older voice.
      EXPECT_EQ(text.find("\n" + std::string(verb.name) + ": cannot"), std::string::npos) << text;
      EXPECT_EQ(text.find("\n" + std::string(verb.name) + ": /"), std::string::npos) << text;
    }
  }
}

}  // namespace
}  // namespace scenario::tool
