// Reads a scenario text source, held whole in memory by its owner, as comma-separated fields and
// numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace scenario {

// A read that the source cannot satisfy: past its end, or a number that is missing, malformed or
// too wide for what it is read into.
class SourceReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class FieldReader {
 public:
  // `text` must outlive the reader.
  explicit FieldReader(std::string_view text);

  // True when everything has been read.
  bool at_end() const { return pos_ >= text_.size(); }

  // The text up to the next comma or line end, without its leading spaces; the comma or line
  // end is consumed. At a line end the field is empty.
  std::string read_field();

  // A number ends at a comma, a space or a line end. After it, spaces and one comma are
  // consumed, or else a line end that follows; a number never continues on the next line.
  std::int32_t read_whole();
  std::int16_t read_short();
  std::uint8_t read_byte();

  // What the next read_field() would give, without reading it (leading spaces included).
  std::string_view peek_field() const;

  // The 1-based line on which the last read began.
  int line() const { return read_line_; }
  // How many fields and numbers have been read so far.
  int reads() const { return reads_; }

 private:
  std::int64_t read_number(std::int64_t lowest, std::int64_t highest);
  void begin_read();
  void skip_spaces();
  bool at_line_end() const;
  // Consumes CR LF, a lone CR or a lone LF; true when there was one.
  bool consume_line_end();

  std::string_view text_;
  std::size_t pos_ = 0;
  int current_line_ = 1;
  int read_line_ = 1;
  int reads_ = 0;
};

}  // namespace scenario
