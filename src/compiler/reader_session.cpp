// What the whole reading shares: opening, reading and releasing a source, the keyword tests, the
// record loops and the track helpers.
#include "compiler/reader_session.h"

#include <algorithm>
#include <cstddef>

#include "format/windows1252.h"

namespace scenario::source_reading {

namespace {

constexpr int kRecordCommentSkips = 2;
constexpr std::size_t kLongestText = 65535;

std::string lower_ascii(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  return out;
}

}  // namespace

std::int64_t rounded(double x) { return static_cast<std::int64_t>(round_half_even(x)); }

std::int64_t cell_at(std::int64_t metres, int offset) {
  return rounded(static_cast<double>(metres) / static_cast<double>(kCellMetres) + offset);
}

bool contains(std::string_view field, std::string_view word) {
  return field.find(word) != std::string_view::npos;
}

bool contains_any_case(std::string_view field, std::string_view lower_word) {
  return contains(lower_ascii(field), lower_word);
}

bool is_comment(std::string_view field) { return contains(field, "-"); }

bool is_header(std::string_view field) { return contains(field, "[") && contains(field, "]"); }

// Source text is taken as UTF-8 when it is valid UTF-8 and as Windows-1252 otherwise; the table
// file stores it in Windows-1252 behind a 16-bit length.
std::string table_text(std::string_view bytes) {
  const bool utf8 = is_valid_utf8(bytes);
  const std::size_t encoded = utf8 ? to_windows1252(bytes).size() : bytes.size();
  if (encoded > kLongestText) throw ValueDoesNotFit("text longer than 65535 bytes");
  return utf8 ? std::string(bytes) : from_windows1252(bytes);
}

SourceReader::SourceReader(Compilation& c) : c_(c) {}

void SourceReader::at_line(int line) {
  line_ = line;
  c_.codes.reading(source_kind_, line);
}

// ---- Sources ----

void SourceReader::open(SourceKind kind, const SourceText& source) {
  source_kind_ = kind;
  at_line(0);
  recognised_line_ = 0;
  if (!source.present()) throw std::runtime_error("the source could not be read");
  source_.emplace(source.bytes);
}

void SourceReader::close() {
  source_.reset();
  source_kind_ = SourceKind::none;
  at_line(0);
}

void SourceReader::release(const SourceText& source) {
  if (source.deletion_failed) throw std::runtime_error("the source could not be deleted");
}

std::string SourceReader::field() {
  std::string f = source_->read_field();
  at_line(source_->line());
  return f;
}

std::int32_t SourceReader::whole() {
  const std::int32_t v = source_->read_whole();
  at_line(source_->line());
  return v;
}

std::int16_t SourceReader::short_number() {
  const std::int16_t v = source_->read_short();
  at_line(source_->line());
  return v;
}

std::uint8_t SourceReader::byte() {
  const std::uint8_t v = source_->read_byte();
  at_line(source_->line());
  return v;
}

// ---- Keyword tests and record loops ----

// Every test looks at the same field, in order, and a field may pass several of them.
Flow SourceReader::run_tests(std::span<const RecordKind> kinds, std::span<const Handler> handlers) {
  const int line = line_;
  const KeywordField keyword(field_);
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    if (!keyword_matches(kinds[i], keyword)) continue;
    matched_ = true;
    const int reads_before = source_->reads();
    const Flow flow = (this->*handlers[i])();
    c_.codes.observer().on_record(kinds[i], source_kind_, line, source_->reads() - reads_before);
    if (flow != Flow::go_on) return flow;
  }
  return Flow::go_on;
}

// Reads the next keyword field, passing over up to two comment fields; false at the end of the
// source, where a field just read is not used.
bool SourceReader::next_keyword_field() {
  if (at_end()) return false;
  field_ = field();
  if (at_end()) return false;
  for (int skipped = 0; skipped < kRecordCommentSkips && is_comment(field_); ++skipped) {
    field_ = field();
    if (at_end()) return false;
  }
  return true;
}

Flow SourceReader::record_loop(std::span<const RecordKind> kinds,
                               std::span<const Handler> handlers) {
  while (next_keyword_field()) {
    const int line = line_;
    matched_ = false;
    const Flow flow = run_tests(kinds, handlers);
    if (matched_) recognised_line_ = line;
    if (flow == Flow::stop) return Flow::stop;
    if (flow == Flow::leave_loop) break;
    if (!matched_) report_unknown_keyword(line);
  }
  return Flow::go_on;
}

void SourceReader::report_unknown_keyword(int line) const {
  if (field_.empty() || is_comment(field_) || is_header(field_)) return;
  if (line == recognised_line_) return;
  c_.codes.observer().on_unknown_keyword(source_kind_, line, field_);
}

// ---- Track helpers ----

bool SourceReader::fits_on_track(std::int64_t p, std::int64_t margin) const {
  return p + margin <= kCellMetres * c_.model.track_last();
}

Flow SourceReader::beyond_track(std::int32_t p) {
  c_.codes.record_at(Code::beyond_track, p);
  return Flow::leave_loop;
}

}  // namespace scenario::source_reading
