// A document's text after the changes of a didChange: the whole text, or a range replaced.
#pragma once

#include <string>

#include "scenario_tool/lsp/framing.h"
#include "scenario_tool/lsp/text_lines.h"

namespace scenario::tool::lsp {

// The changes applied in order; a change without a range replaces the whole text.
std::string with_changes(std::string text, const Json& changes, Columns columns);

// The byte offset of a protocol position in the text (clamped to it).
std::size_t text_offset(const std::string& text, int line, int column, Columns columns);

}  // namespace scenario::tool::lsp
