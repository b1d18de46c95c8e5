#include "scenario_tool/lsp/text_edits.h"

#include <stdexcept>

namespace scenario::tool::lsp {

std::size_t text_offset(const std::string& text, int line, int column, Columns columns) {
  std::size_t start = 0;
  for (int i = 0; i < line; ++i) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) return text.size();
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return start + offset_of(line_of(std::string_view(text).substr(start), 0), column, columns);
}

std::string with_changes(std::string text, const Json& changes, Columns columns) {
  if (!changes.is_array()) throw std::invalid_argument("contentChanges is not a list");
  for (const Json& change : changes) {
    const std::string& replacement = change.at("text").get_ref<const std::string&>();
    if (!change.contains("range")) {
      text = replacement;
      continue;
    }
    const Json& range = change.at("range");
    const auto offset = [&](const char* end) {
      return text_offset(text, range.at(end).at("line").get<int>(),
                         range.at(end).at("character").get<int>(), columns);
    };
    const std::size_t from = offset("start");
    const std::size_t to = std::max(from, offset("end"));
    text.replace(from, to - from, replacement);
  }
  return text;
}

}  // namespace scenario::tool::lsp
