#include "compiler/field_reader.h"

#include <limits>
#include <utility>

namespace scenario {

namespace {

constexpr char kSpace = ' ';
constexpr char kComma = ',';
constexpr char kCr = '\r';
constexpr char kLf = '\n';

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// An optional minus, then digits only; anything else, or a value outside [lowest, highest], is a
// failure.
std::int64_t parse_number(std::string_view token, std::int64_t lowest, std::int64_t highest) {
  if (token.empty()) throw SourceReadError("a number is missing");
  const bool negative = token.front() == '-';
  const std::string_view digits = negative ? token.substr(1) : token;
  if (digits.empty()) throw SourceReadError("a number is missing its digits");
  // Anything past this is out of every width we read into; stopping here keeps the sum in range.
  constexpr std::int64_t kCeiling = std::int64_t{1} << 40;
  std::int64_t magnitude = 0;
  for (char c : digits) {
    if (!is_digit(c)) throw SourceReadError("not a whole number: " + std::string(token));
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > kCeiling) magnitude = kCeiling;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value < lowest || value > highest) {
    throw SourceReadError("number out of range: " + std::string(token));
  }
  return value;
}

}  // namespace

FieldReader::FieldReader(std::string_view text) : text_(text) {}

void FieldReader::begin_read() {
  read_line_ = current_line_;
  ++reads_;
  if (at_end()) throw SourceReadError("read past the end of the source");
}

void FieldReader::skip_spaces() {
  while (!at_end() && text_[pos_] == kSpace) ++pos_;
}

bool FieldReader::at_line_end() const {
  return !at_end() && (text_[pos_] == kCr || text_[pos_] == kLf);
}

bool FieldReader::consume_line_end() {
  if (!at_line_end()) return false;
  if (text_[pos_] == kCr) {
    ++pos_;
    if (!at_end() && text_[pos_] == kLf) ++pos_;
  } else {
    ++pos_;
  }
  ++current_line_;
  return true;
}

std::string FieldReader::read_field() {
  begin_read();
  skip_spaces();
  const std::size_t start = pos_;
  while (!at_end() && text_[pos_] != kComma && !at_line_end()) ++pos_;
  std::string field(text_.substr(start, pos_ - start));
  if (!at_end() && text_[pos_] == kComma) {
    ++pos_;
  } else {
    consume_line_end();
  }
  return field;
}

std::string_view FieldReader::peek_field() const {
  std::size_t end = pos_;
  while (end < text_.size() && text_[end] != kComma && text_[end] != kCr && text_[end] != kLf) {
    ++end;
  }
  return text_.substr(pos_, end - pos_);
}

std::int64_t FieldReader::read_number(std::int64_t lowest, std::int64_t highest) {
  begin_read();
  skip_spaces();
  const std::size_t start = pos_;
  while (!at_end() && text_[pos_] != kComma && text_[pos_] != kSpace && !at_line_end()) ++pos_;
  const std::int64_t value = parse_number(text_.substr(start, pos_ - start), lowest, highest);
  skip_spaces();
  if (!at_end() && text_[pos_] == kComma) {
    ++pos_;
  } else {
    consume_line_end();
  }
  return value;
}

std::int32_t FieldReader::read_whole() {
  return static_cast<std::int32_t>(read_number(std::numeric_limits<std::int32_t>::min(),
                                               std::numeric_limits<std::int32_t>::max()));
}

std::int16_t FieldReader::read_short() {
  return static_cast<std::int16_t>(read_number(std::numeric_limits<std::int16_t>::min(),
                                               std::numeric_limits<std::int16_t>::max()));
}

std::uint8_t FieldReader::read_byte() {
  return static_cast<std::uint8_t>(read_number(0, std::numeric_limits<std::uint8_t>::max()));
}

}  // namespace scenario
