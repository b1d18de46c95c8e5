#include "scenario_tool/lsp/text_lines.h"

namespace scenario::tool::lsp {

namespace {

// The UTF-16 units of the character that starts with this byte: a four-byte sequence is a pair.
int utf16_units(unsigned char lead) {
  if (lead >= 0xF0) return 2;
  if ((lead & 0xC0) == 0x80) return 0;  // a continuation byte adds nothing
  return 1;
}

}  // namespace

std::string_view line_of(std::string_view text, int index) {
  std::size_t start = 0;
  for (int i = 0; i < index; ++i) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) return {};
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  const std::size_t end = text.find_first_of("\r\n", start);
  return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

LineIndex::LineIndex(std::string_view text) : text_(text) {
  starts_.push_back(0);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
      starts_.push_back(i + 1);
    }
  }
}

std::string_view LineIndex::line(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= starts_.size()) return {};
  const std::size_t start = starts_[index];
  std::size_t end = start;
  while (end < text_.size() && text_[end] != '\n' && text_[end] != '\r') ++end;
  return text_.substr(start, end - start);
}

int column_of(std::string_view line, std::size_t offset, Columns columns) {
  if (offset > line.size()) offset = line.size();
  if (columns == Columns::utf8) return static_cast<int>(offset);
  int column = 0;
  for (std::size_t i = 0; i < offset; ++i)
    column += utf16_units(static_cast<unsigned char>(line[i]));
  return column;
}

std::size_t offset_of(std::string_view line, int column, Columns columns) {
  if (column <= 0) return 0;
  if (columns == Columns::utf8) return std::min(line.size(), static_cast<std::size_t>(column));
  int units = 0;
  std::size_t i = 0;
  while (i < line.size() && units < column) {
    units += utf16_units(static_cast<unsigned char>(line[i]));
    ++i;
    while (i < line.size() && utf16_units(static_cast<unsigned char>(line[i])) == 0) ++i;
  }
  return i;
}

}  // namespace scenario::tool::lsp
