#include "scenario_tool/scenario/consistency.h"

#include <cstdint>
#include <optional>

#include "format/table_entries.h"

namespace scenario::tool {

namespace {

// The compiler sizes the line and the track from the route length: metres up to the length
// plus the extra metres, and one cell per 50 of them.
constexpr std::int64_t kMargin = route_extra_metres;
constexpr std::int64_t kCellMetres = cell_metres;

std::int64_t cells_for_last_metre(std::int64_t last_m) {
  return static_cast<std::int64_t>(round_half_even(static_cast<double>(last_m) / kCellMetres)) + 1;
}

// The line's last metre, whichever form the load kept it in.
std::optional<std::int64_t> line_last_m(const LoadedScenario& s) {
  if (s.line) return s.line->last_m();
  if (s.line_steps) return s.line_steps->last_m;
  return std::nullopt;
}

bool is_integer_row(const LineGeometry& g, std::int64_t row, int c0, int c1) {
  const LineValue a = g.at(row, 0);
  const LineValue b = g.at(row, 1);
  return a.tag() == LineValue::Tag::integer && b.tag() == LineValue::Tag::integer &&
         a.number() == c0 && b.number() == c1;
}

void check_track_against_length(const LoadedScenario& s, std::vector<std::string>& out) {
  if (!s.track || !s.table) return;
  const std::int64_t length = entries::route_length_m(*s.table);
  const std::int64_t expected = cells_for_last_metre(length + kMargin);
  const auto cells = static_cast<std::int64_t>(s.track->size());
  if (cells != expected) {
    out.push_back("the track file holds " + std::to_string(cells) +
                  " cells, but the route length " + std::to_string(length) +
                  " m of the table calls for " + std::to_string(expected));
  }
}

void check_line_against_length(const LoadedScenario& s, std::vector<std::string>& out) {
  const auto last_m = line_last_m(s);
  if (!last_m || !s.table) return;
  const std::int64_t length = entries::route_length_m(*s.table);
  const std::int64_t rows = *last_m + 1;
  if (rows != length + kMargin + 1) {
    out.push_back("the line file holds " + std::to_string(rows) + " metres, but the route length " +
                  std::to_string(length) + " m of the table calls for " +
                  std::to_string(length + kMargin + 1));
  }
}

void check_track_against_line(const LoadedScenario& s, std::vector<std::string>& out) {
  // With a table, both are already checked against its route length.
  const auto last_m = line_last_m(s);
  if (!last_m || !s.track || s.table) return;
  const std::int64_t expected = cells_for_last_metre(*last_m);
  const auto cells = static_cast<std::int64_t>(s.track->size());
  if (cells != expected) {
    out.push_back("the track file holds " + std::to_string(cells) + " cells, but the " +
                  std::to_string(*last_m + 1) + " metres of the line file call for " +
                  std::to_string(expected));
  }
}

void check_line_start(const LoadedScenario& s, std::vector<std::string>& out) {
  const auto last_m = line_last_m(s);
  if (!last_m || *last_m < 1) return;
  // The steps get past row 1 only when rows 0 and 1 are these integer rows.
  const bool starts = s.line ? is_integer_row(*s.line, 0, 0, 0) && is_integer_row(*s.line, 1, 0, 1)
                             : s.line_steps->filled_to >= 1;
  if (!starts) {
    out.push_back(
        "the line file does not begin with the integer rows (0, 0) and (0, 1) that every "
        "compiled line starts with: its halves may be shifted by a cut");
  }
}

}  // namespace

std::vector<std::string> consistency_warnings(const LoadedScenario& s) {
  std::vector<std::string> out;
  check_track_against_length(s, out);
  check_line_against_length(s, out);
  check_track_against_line(s, out);
  check_line_start(s, out);
  return out;
}

}  // namespace scenario::tool
