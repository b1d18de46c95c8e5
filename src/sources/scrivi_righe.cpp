#include "sources/scrivi_righe.h"

#include <stdexcept>

#include "platform/replace_files.h"

namespace scenario {

LineList::LineList(std::initializer_list<std::string_view> lines) {
  for (auto line : lines) add(line);
}

void LineList::add(std::string_view line) {
  if (size_ >= capacity) throw std::length_error("a line list holds at most 1001 entries");
  entries_[size_++] = std::string(line);
}

LineList closed_list(std::initializer_list<std::string_view> lines) {
  LineList list(lines);
  list.close();
  return list;
}

std::string render_lines(const LineList& lines) {
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == end_marker) break;
    out += lines[i];
    out += "\r\n";
  }
  return out;
}

void scrivi_righe(FileSystem& fs, const std::string& path, const LineList& lines) {
  replace_file(fs, path, render_lines(lines));
}

}  // namespace scenario
