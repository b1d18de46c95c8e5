// The diagnostics of compile as the protocol's: each on the range of its line (the misspelt word
// for an unknown keyword), its severity, its code (the error number or the id) and compile's
// message without the FILE:LINE it starts with.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "scenario_tool/compile/diagnostics.h"
#include "scenario_tool/lsp/documents.h"
#include "scenario_tool/lsp/framing.h"
#include "scenario_tool/lsp/text_lines.h"
#include "scenario_tool/verbs/source_diagnostics.h"

namespace scenario::tool::lsp {

// What `compile --check` prints about a pair of texts: the compile's own diagnostics, and the
// findings of the engineering checks, which take the longer.
struct Analysis {
  std::vector<Diagnostic> compile;
  std::vector<Diagnostic> check;
};

// What the server runs on a pair of texts; `check`: the engineering checks too.
using Analyser = std::function<Analysis(const SourceTexts& texts, bool check)>;

struct Publication {
  std::string uri;
  Json diagnostics = Json::array();  // the compile's
  Json findings = Json::array();     // the engineering checks'
};

struct PairNames {
  std::string line_source;
  std::string train_source;
};

// The message as compile prints it, without the place it starts with.
std::string lsp_message(const Diagnostic& d, const PairNames& names);

// One diagnostic of the protocol; `line` is the text of the line it stands on.
Json lsp_diagnostic(const Diagnostic& d, std::string_view line, const PairNames& names,
                    Columns columns);

struct Workspace {
  const DocumentStore& documents;
  FileSystem& disk;
  const Analyser& analyse;
  Columns columns = Columns::utf16;
  bool check = true;
};

// The diagnostics of both sources of the pair the document belongs to; for a source without
// its partner, one information diagnostic saying so; for any other document, an empty list.
std::vector<Publication> diagnose(const std::string& uri, const Workspace& ws);

}  // namespace scenario::tool::lsp
