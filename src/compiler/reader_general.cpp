// The general section of the line source: the route length, which sizes the track and the line
// geometry, the kilometre points, the backgrounds and the code repetition stretch.
#include <array>
#include <cstdint>

#include "compiler/reader_session.h"
#include "format/file_limits.h"
#include "format/table_entries.h"

namespace scenario::source_reading {

namespace {

constexpr std::int64_t kExtraMetres = route_extra_metres;
constexpr auto kLongestRoute = static_cast<std::int32_t>(longest_route_metres);
constexpr int kGeneralCommentSkips = 10;

// Fields come without their leading spaces, so the first character is the one that counts.
bool closes_general_section(std::string_view field) {
  return !field.starts_with('-') && is_header(field);
}

}  // namespace

// False when the source ends first (code 102).
bool SourceReader::find_general_section() {
  while (!at_end()) {
    field_ = field();
    if (at_end()) break;
    if (has("[generale]")) return true;
  }
  c_.codes.record(Code::no_general);
  return false;
}

Flow SourceReader::general_section() {
  // In the order of general_records().
  static constexpr std::array<Handler, 8> kHandlers{
      &SourceReader::lunghezza,       &SourceReader::progressiva_tre,
      &SourceReader::progressiva_due, &SourceReader::progressiva_uno,
      &SourceReader::sfondo_uno,      &SourceReader::sfondo_due,
      &SourceReader::sfondo_tre,      &SourceReader::ripetizione,
  };
  while (!at_end()) {
    field_ = field();
    if (at_end()) break;
    // No end test between these reads: a source that ends here fails on the next read.
    for (int skipped = 0; skipped < kGeneralCommentSkips && is_comment(field_); ++skipped) {
      field_ = field();
    }
    if (run_tests(scenario::general_records(), kHandlers) == Flow::stop) return Flow::stop;
    if (closes_general_section(field_)) break;
  }
  return Flow::go_on;
}

Flow SourceReader::lunghezza() {
  const std::int32_t length = whole();
  entries::route_length_m(table()) = length;
  if (length > kLongestRoute) {
    c_.codes.record(Code::route_too_long);
    return Flow::stop;
  }
  const std::int64_t line_last = std::int64_t{length} + kExtraMetres;
  const std::int64_t track_last = rounded(static_cast<double>(line_last) / kCellMetres);
  // Cell 1 carries the header of the track file: a track without it is no track, and neither is
  // one that an earlier length record made.
  if (track_last < 1) {
    track().clear();
    c_.model.line.reset();
    throw ValueDoesNotFit("route too short for a track");
  }

  track().assign(static_cast<std::size_t>(track_last) + 1, TrackCell{});
  if (c_.options.build_line) c_.model.line.emplace(line_last);
  return Flow::go_on;
}

Flow SourceReader::read_km_point(int entry) {
  SimRecord& r = table()[static_cast<std::size_t>(entry)];
  r.start_m = whole();
  r.end_m = whole();
  r.pos_m = whole();
  return Flow::go_on;
}

Flow SourceReader::sfondo_uno() {
  entries::background_one(table()) = whole();
  return Flow::go_on;
}

Flow SourceReader::sfondo_due() {
  entries::background_two(table()) = whole();
  return Flow::go_on;
}

Flow SourceReader::sfondo_tre() {
  entries::background_three(table()) = whole();
  return Flow::go_on;
}

Flow SourceReader::ripetizione() {
  SimRecord& r = table()[table_entry::codes];
  r.start_m = whole();
  r.end_m = whole();
  if (r.start_m % kCellMetres != 0) {
    c_.codes.record(Code::repeat_start);
    return Flow::stop;
  }
  if (r.end_m % kCellMetres != 0) {
    c_.codes.record(Code::repeat_end);
    return Flow::stop;
  }
  if (contains(field_, "4")) {
    r.pos_m = entries::repetition_four_codes;
  } else if (contains(field_, "9")) {
    r.pos_m = entries::repetition_nine_codes;
  } else {
    c_.codes.record(Code::repeat_codes);
    return Flow::stop;
  }
  if (r.end_m == 0) r.pos_m = 0;
  return Flow::go_on;
}

}  // namespace scenario::source_reading
