// Lines and columns of a document as the protocol counts them: lines from 0, columns in UTF-16
// code units unless the client agreed to bytes (UTF-8).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace scenario::tool::lsp {

enum class Columns { utf16, utf8 };

// Line `index` (from 0) of the text without its line end (LF, CR LF or CR, as the reader takes
// them); empty past the end.
std::string_view line_of(std::string_view text, int index);

// The protocol's column of byte `offset` of a line, and back (clamped to the line).
int column_of(std::string_view line, std::size_t offset, Columns columns);
std::size_t offset_of(std::string_view line, int column, Columns columns);

}  // namespace scenario::tool::lsp
