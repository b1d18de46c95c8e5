// `lsp`: the language server. It reads the protocol's messages on standard input and answers on
// standard output; the diagnostics are those of compile --check, on the unsaved texts of the
// open sources. It never writes a file.
#include "scenario_tool/verbs/lsp.h"

#include <CLI/CLI.hpp>
#include <iostream>

#include "scenario_tool/lsp/server.h"
#include "scenario_tool/verbs/source_diagnostics.h"
#include "scenario_tool/verbs/verb_table.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace scenario::tool {

lsp::Analysis compile_analysis(const SourceTexts& texts, bool check) {
  SourceDiagnostics found =
      source_diagnostics(texts, {.build_line = true, .check = check, .silenced = {}});
  lsp::Analysis out;
  const auto split = found.diagnostics.begin() + static_cast<std::ptrdiff_t>(found.check_from);
  out.compile.assign(found.diagnostics.begin(), split);
  out.check.assign(split, found.diagnostics.end());
  return out;
}

void add_lsp_options(CLI::App& cmd, LspOptions& options) {
  cmd.add_flag("--stdio", options.stdio,
               "Talk over standard input and output (the only transport; editors pass it)");
  cmd.add_flag("--no-check", options.no_check,
               "Leave out the engineering checks of compile --check: the compile's own "
               "diagnostics only");
  cmd.footer(exit_statuses({"0   the client sent shutdown then exit, or closed standard input",
                            "1   the client sent exit without shutdown"}));
}

int run_lsp(const LspOptions& options, FileSystem& fs, std::ostream& out, std::ostream&) {
#ifdef _WIN32
  // Content-Length counts bytes: no CR may be added or taken away.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  return lsp::serve(std::cin, out, fs, compile_analysis,
                    {.check = !options.no_check, .background = true, .version = {}});
}

}  // namespace scenario::tool
