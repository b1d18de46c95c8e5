// The verbs of scenario_tool, each a function over its options and two output streams, so that
// tests can run them without a process.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace scenario::tool {

namespace exit_code {
inline constexpr int clean = 0;
inline constexpr int header_conflict = 1;
inline constexpr int recorded_code = 2;
inline constexpr int io_failure = 3;
inline constexpr int usage = 64;
inline constexpr int damaged_file = 65;
}  // namespace exit_code

struct TemplateOptions {
  std::string out_dir = ".";
};

struct CompileOptions {
  std::string line_source;
  std::string train_source;
  std::string out_dir = ".";
  std::optional<std::string> route_id;
  std::optional<std::string> train_number;
  bool no_line = false;
  bool werror = false;
};

struct InspectOptions {
  std::vector<std::string> paths;  // one folder, or the compiled files themselves
  bool cells = false;
  bool json = false;
};

struct PlotOptions {
  std::vector<std::string> paths;     // one folder, or the compiled files themselves
  std::optional<std::string> prefix;  // PREFIX_plan.svg and PREFIX_profile.svg
};

int run_template(const TemplateOptions& options, std::ostream& out, std::ostream& err);
int run_compile(const CompileOptions& options, std::ostream& out, std::ostream& err);
int run_inspect(const InspectOptions& options, std::ostream& out, std::ostream& err);
int run_plot(const PlotOptions& options, std::ostream& out, std::ostream& err);

}  // namespace scenario::tool
