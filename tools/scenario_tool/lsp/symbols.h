// The outline of a source: its sections, and in them the stations, signals and slowdowns (and
// the line's curves, tunnels and boards), each with its km.
#pragma once

#include <string_view>

#include "compiler/observer.h"
#include "scenario_tool/lsp/framing.h"
#include "scenario_tool/lsp/text_lines.h"

namespace scenario::tool::lsp {

// DocumentSymbol[]: a section from its header to the line before the next; records before the
// first section at the top.
Json document_symbols(SourceKind source, std::string_view text, Columns columns);

}  // namespace scenario::tool::lsp
