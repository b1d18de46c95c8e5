// Laying out the records of a source as the generator's own sources read: a keyword field, then
// values in aligned columns, comment lines that name the station a block of records follows, and
// CR LF line ends. Text values go out in Windows-1252.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace scenario::tool {

// The bytes of a text value in the source, such that the reader stores `utf8` again: Windows-1252,
// unless those bytes would read as UTF-8 of other characters, in which case UTF-8 itself.
std::string source_text_bytes(std::string_view utf8);

// A comment line "- TEXT", or an empty string when TEXT cannot be one (a comma would end the
// field; a record keyword in it would make the reader take it for a record).
std::string comment_line(std::string_view text);

// Where a block of records begins, and the comment line that names it.
struct BlockMark {
  std::int64_t position = 0;
  std::string comment;
};

// Records of one section, one row each: the keyword, then the values. Numbers are right-aligned in
// their column; the last column of a row with `text_last` is left as it is (a text value runs to
// the line end, so nothing may follow it).
class RecordTable {
 public:
  // `position` places the row among the block marks.
  void add(std::int64_t position, std::string keyword, std::vector<std::string> values,
           bool text_last = false);
  // The rows as lines, with each mark's comment before the first row at or after it.
  void write(std::vector<std::string>& lines, const std::vector<BlockMark>& marks) const;
  bool empty() const { return rows_.empty(); }

 private:
  struct Row {
    std::int64_t position;
    std::string keyword;
    std::vector<std::string> values;
    bool text_last;
  };
  std::vector<Row> rows_;
};

// Lines joined with CR LF after each, the last included.
std::string join_lines(const std::vector<std::string>& lines);

}  // namespace scenario::tool
