// The verbs of scenario_tool, one row each: its name, its summary, how its options are added and
// its run. main.cpp registers every row with CLI11 and runs the verb chosen; a new verb is one
// file in verbs/ and one row in verb_table().
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <span>
#include <string>

#include "platform/file_system.h"

namespace scenario::tool {

// A verb whose options are parsed, ready to run.
using ReadyVerb = std::function<int(FileSystem& fs, std::ostream& out, std::ostream& err)>;

struct Verb {
  const char* name;
  const char* summary;
  // Adds the verb's options and its --help footer to its command; the run returned reads the
  // options once CLI11 has filled them, and holds them: keep it as long as the command.
  std::function<ReadyVerb(CLI::App& command)> add;
};

// A row from a verb's two functions over its options.
template <typename Options>
Verb verb_row(const char* name, const char* summary, void (*add_options)(CLI::App&, Options&),
              int (*run)(const Options&, FileSystem&, std::ostream&, std::ostream&)) {
  return Verb{name, summary, [add_options, run](CLI::App& command) -> ReadyVerb {
                auto options = std::make_shared<Options>();
                add_options(command, *options);
                return [options, run](FileSystem& fs, std::ostream& out, std::ostream& err) {
                  return run(*options, fs, out, err);
                };
              }};
}

std::span<const Verb> verb_table();

// The footer of a verb's --help (and so of its section of the manual page): its exit statuses.
std::string exit_statuses(std::initializer_list<const char*> lines);

// The status every verb gives when it would replace an author's source without --force.
inline constexpr const char* refusal_status_line =
    "64  a source is already there and --force was not given (nothing is written)";

}  // namespace scenario::tool
