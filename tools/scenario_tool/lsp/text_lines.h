// Lines and columns of a document as the protocol counts them: lines from 0, columns in UTF-16
// code units unless the client agreed to bytes (UTF-8).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace scenario::tool::lsp {

enum class Columns { utf16, utf8 };

// Line `index` (from 0) of the text without its line end (LF, CR LF or CR, as the reader takes
// them); empty past the end.
std::string_view line_of(std::string_view text, int index);

// The lines of a text found once, for many look-ups: a thousand diagnostics on a long source
// would otherwise scan it a thousand times.
class LineIndex {
 public:
  explicit LineIndex(std::string_view text);
  // As line_of.
  std::string_view line(int index) const;

 private:
  std::string_view text_;
  std::vector<std::size_t> starts_;
};

// The protocol's column of byte `offset` of a line, and back (clamped to the line).
int column_of(std::string_view line, std::size_t offset, Columns columns);
std::size_t offset_of(std::string_view line, int column, Columns columns);

}  // namespace scenario::tool::lsp
