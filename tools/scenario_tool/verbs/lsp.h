// `lsp`: a language server for the two sources on standard input and output.
#pragma once

#include "scenario_tool/lsp/diagnostics.h"
#include "scenario_tool/verbs/verb_signature.h"

namespace scenario::tool {

struct LspOptions {
  bool stdio = false;  // what editors pass to ask for the only transport there is
  bool no_check = false;
};

// What the server publishes about two texts: the diagnostics of compile, and with `check` the
// findings of compile --check, split where they start.
lsp::Analysis compile_analysis(const SourceTexts& texts, bool check);

void add_lsp_options(CLI::App& command, LspOptions& options);
int run_lsp(const LspOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err);

}  // namespace scenario::tool
