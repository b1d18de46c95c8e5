// scenario_tool: compiles an author's own scenario sources with diagnostics, and decodes the
// compiled files. The verbs come from one table (verbs/verb_table.h); this file only parses and
// dispatches.
#include <CLI/CLI.hpp>
#include <csignal>
#include <iostream>
#include <string_view>

#include "platform/file_system.h"
#include "platform/interrupts.h"
#include "platform/utf8_arguments.h"
#include "scenario_tool/exit_codes.h"
#include "scenario_tool/scenario/reporter.h"
#include "scenario_tool/verbs/unknown_verb.h"
#include "scenario_tool/verbs/verb_table.h"
#include "version/version.h"

namespace {

using namespace scenario::tool;

// The first word that is no option: the verb, or empty when there is none.
std::string_view verb_word(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view word = argv[i];
    if (!word.starts_with("-")) return word;
  }
  return {};
}

bool asks_help_or_version(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view word = argv[i];
    if (word == "-h" || word == "--help" || word == "--version") return true;
  }
  return false;
}

// A verb missing or unknown is told before CLI11 parses, with the verbs there are.
int refuse_verb(const CLI::App& app, std::string_view word) {
  if (word.empty()) {
    report_error(std::cerr, "no command given: " + verb_list());
    std::cerr << app.help();
  } else {
    report_error(std::cerr, unknown_verb_message(word));
  }
  return exit_code::usage;
}

}  // namespace

int main(int argc, char** argv) {
  scenario::Utf8Arguments arguments(argc, argv);
  scenario::use_utf8_console();
  scenario::install_interrupt_handlers();
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  CLI::App app{"Compile and inspect railway scenarios", "scenario_tool"};
  app.require_subcommand(1);
  app.set_version_flag("--version", "scenario_tool " + scenario::version_text(),
                       "Print the version and exit");
  app.footer(
      "Every verb has --help. Exit status: 0 clean, 1 header conflict, 2 code recorded, 3 file "
      "not found, read or written, 64 wrong usage, 65 damaged file; each verb's --help tells "
      "which it gives.");
  std::vector<std::pair<CLI::App*, ReadyVerb>> verbs;
  for (const Verb& verb : verb_table()) {
    CLI::App* command = app.add_subcommand(verb.name, verb.summary);
    verbs.emplace_back(command, verb.add(*command));
  }
  const std::string_view word = verb_word(arguments.argc(), arguments.argv());
  if (!asks_help_or_version(arguments.argc(), arguments.argv()) || !word.empty()) {
    if (word.empty() || !is_verb(word)) return refuse_verb(app, word);
  }
  try {
    app.parse(arguments.argc(), arguments.argv());
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return app.exit(e);
    report_error(std::cerr, std::string(e.what()) + " (scenario_tool " + std::string(word) +
                                " --help tells the options)");
    return exit_code::usage;
  }
  scenario::RealFileSystem fs;
  try {
    for (const auto& [command, run] : verbs) {
      if (command->parsed()) return run(fs, std::cout, std::cerr);
    }
    return exit_code::usage;
  } catch (const scenario::Interrupted& interrupted) {
    scenario::end_by_signal(interrupted.signal);
  }
}
