#include "scenario_tool/decompile/text_layout.h"

#include <algorithm>
#include <cctype>

#include "compiler/record_kinds.h"
#include "format/windows1252.h"

namespace scenario::tool {

namespace {

bool is_ascii(std::string_view s) {
  return std::all_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string lowered(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Stricter than the reader: any word of any record kind, in any case, keeps a text out.
bool holds_keyword_word(std::string_view text) {
  const std::string low = lowered(text);
  for (const RecordKind& kind : record_kinds()) {
    for (std::string_view word : {kind.first, kind.second}) {
      if (!word.empty() && low.find(lowered(word)) != std::string::npos) return true;
    }
  }
  return false;
}

}  // namespace

std::string source_text_bytes(std::string_view utf8) {
  std::string bytes = to_windows1252(utf8);
  if (!is_ascii(bytes) && is_valid_utf8(bytes)) return std::string(utf8);
  return bytes;
}

std::string comment_line(std::string_view text) {
  if (text.empty() || text.find_first_of(",[]\r\n") != std::string_view::npos ||
      holds_keyword_word(text)) {
    return {};
  }
  return "- " + source_text_bytes(text);
}

void RecordTable::add(std::int64_t position, std::string keyword, std::vector<std::string> values,
                      bool text_last) {
  rows_.push_back({position, std::move(keyword), std::move(values), text_last});
}

void RecordTable::write(std::vector<std::string>& lines,
                        const std::vector<BlockMark>& marks) const {
  std::vector<std::size_t> widths;
  for (const Row& row : rows_) {
    const std::size_t aligned = row.values.size() - (row.text_last ? 1 : 0);
    if (widths.size() < aligned) widths.resize(aligned, 0);
    for (std::size_t i = 0; i < aligned; ++i) widths[i] = std::max(widths[i], row.values[i].size());
  }
  std::size_t mark = 0;
  for (const Row& row : rows_) {
    // The comment of the last mark passed, if it has not been written yet.
    std::string comment;
    while (mark < marks.size() && marks[mark].position <= row.position) {
      comment = marks[mark].comment;
      ++mark;
    }
    if (!comment.empty()) lines.push_back(comment);
    std::string line = row.keyword;
    for (std::size_t i = 0; i < row.values.size(); ++i) {
      line += ", ";
      const bool aligned = !(row.text_last && i + 1 == row.values.size());
      if (aligned) line.append(widths[i] - row.values[i].size(), ' ');
      line += row.values[i];
    }
    lines.push_back(std::move(line));
  }
}

std::string join_lines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

}  // namespace scenario::tool
