#include "scenario_tool/scenario/reporter.h"

#include <string>

namespace scenario::tool {

namespace {

void report(std::ostream& err, std::string_view level, std::string_view message) {
  // One line whatever the message holds, so that a script can take the line as the whole story.
  std::string line;
  line.reserve(message.size());
  for (char c : message) line += c == '\n' ? ' ' : c;
  err << "scenario_tool: " << level << ": " << line << '\n';
}

}  // namespace

void report_error(std::ostream& err, std::string_view message) { report(err, "error", message); }

void report_warning(std::ostream& err, std::string_view message) {
  report(err, "warning", message);
}

}  // namespace scenario::tool
