// One line of a source read as the reader reads a record, with where each part stands: the
// keyword field, the kind it names, and each value's bytes. Hover, completion and the symbols
// start from here.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/record_kinds.h"

namespace scenario::tool::lsp {

struct Span {
  std::size_t begin = 0;
  std::size_t end = 0;  // one past the last byte

  bool holds(std::size_t offset) const { return offset >= begin && offset <= end; }
};

struct RecordLine {
  const RecordKind* kind = nullptr;
  Span keyword;              // the keyword field without its blanks
  std::vector<Span> values;  // one per field read, in the order of kind->fields

  std::string_view value_text(std::string_view line, std::size_t i) const {
    return line.substr(values[i].begin, values[i].end - values[i].begin);
  }
};

// The record on the line, when its first field is a keyword of the source's kinds; none for a
// comment, a section header, a blank line or a field that names no kind.
std::optional<RecordLine> read_record_line(SourceKind source, std::string_view line);

// A section header's name ("[curve]"), when the line is one.
std::optional<std::string> section_header(std::string_view line);

// The number a value holds, when it is one.
std::optional<std::int64_t> number_in(std::string_view text);

}  // namespace scenario::tool::lsp
