#include "scenario_tool/compile/culprit.h"

#include <cmath>
#include <string_view>

#include "format/constants.h"
#include "scenario_tool/scenario/position_text.h"

namespace scenario::tool {

namespace {

constexpr double kCell = static_cast<double>(cell_metres);
// The compiler's rules, as recorders.cpp and reader_stations.cpp apply them.
constexpr std::int64_t kFirstSignalCell = 8;
constexpr std::int64_t kWarningThreshold = 1500;
constexpr std::int64_t kWarningDistance = 1200;
constexpr int kAnnounceCells = 4;
constexpr std::int64_t kFirstNoStopType = 25;
constexpr std::int64_t kStationGap = 350;
constexpr std::int64_t kShortRoute = 1000;

std::int64_t rounded(double x) { return static_cast<std::int64_t>(std::nearbyint(x)); }
std::int64_t point_cell(std::int64_t p) { return rounded(static_cast<double>(p) / kCell + 1.0); }

std::int64_t value(const CheckedRecord& r, std::size_t i) {
  return i < r.values.size() ? r.values[i].value_or(0) : 0;
}
bool is(const CheckedRecord& r, std::string_view name) { return r.kind && r.kind->name == name; }

// The article and the noun an author knows the record by.
std::string noun(const CheckedRecord& r) {
  const std::string_view n = r.kind ? r.kind->name : "";
  if (n == "segnale") return "the signal";
  if (n == "rallentamento") return "the slowdown";
  if (n == "stazione") return "the station";
  if (n == "indicatori_vmax") return "the speed board";
  if (n == "cartello indicatore") return "the sign";
  if (n == "abbattimento codice") return "the code cut";
  return "the \"" + std::string(n) + "\"";
}

std::int64_t station_zone_end(const CheckedRecord& r) {
  const std::int64_t pos = value(r, 0);
  const std::int64_t length = value(r, 2);
  switch (value(r, 1)) {
    case 5:
    case 6:
      return pos + 150;
    case 7:
    case 8:
      return pos + length;
    default:
      return pos + length / 2 + (value(r, 5) != 0 ? 50 : 0);
  }
}

std::int64_t station_zone_start(const CheckedRecord& r) {
  const std::int64_t pos = value(r, 0);
  const std::int64_t length = value(r, 2);
  const std::int64_t type = value(r, 1);
  return type >= 5 && type <= 8 ? pos - length : pos - length / 2;
}

struct SlowdownCells {
  bool warned;
  std::int64_t warning, start, end, announce;  // announce: the first of four, downwards
  bool announced;
};

SlowdownCells slowdown_cells(const CheckedRecord& r) {
  const std::int64_t x = value(r, 0);
  const double a = static_cast<double>(x - kWarningDistance) / kCell;
  const bool warned = x > kWarningThreshold;
  return {warned,     rounded(a + 1.0),          point_cell(x), point_cell(x + value(r, 2)),
          rounded(a), warned && value(r, 4) != 0};
}

// Whether the record, once compiled, holds `cell`; what of it holds it goes to `part`.
bool holds(const CheckedRecord& r, std::int64_t cell, std::string& part) {
  const std::int64_t p = value(r, 0);
  if (is(r, "segnale")) return point_cell(p) >= kFirstSignalCell && point_cell(p) == cell;
  if (is(r, "indicatori_vmax") || is(r, "cartello indicatore")) return point_cell(p) == cell;
  if (is(r, "abbattimento codice")) return rounded(static_cast<double>(p) / kCell) == cell;
  if (is(r, "stazione")) {
    part = " (its stop cell)";
    return value(r, 1) < kFirstNoStopType &&
           rounded(static_cast<double>(station_zone_end(r)) / kCell - 1.0) == cell;
  }
  if (!is(r, "rallentamento")) return false;
  const SlowdownCells s = slowdown_cells(r);
  if (s.warned && s.warning == cell) return part = " (its warning cell)", true;
  if (s.start == cell) return part = " (its start)", true;
  if (s.end == cell) return part = " (its end)", true;
  if (s.announced && cell <= s.announce && cell > s.announce - kAnnounceCells) {
    return part = " (its announce cells)", true;
  }
  return false;
}

// Reading order: the line source, then the train source.
bool read_before(const CheckedRecord& a, const Diagnostic& d) {
  if (a.source != d.source) return a.source == SourceKind::line;
  return a.line < d.line;
}

const CheckedRecord* record_at(const SourceCheck& check, const Diagnostic& d) {
  for (const CheckedRecord& r : check.records) {
    if (r.source == d.source && r.line == d.line) return &r;
  }
  return nullptr;
}

// The cells the failing record needed, for its code, and what of it each is.
std::vector<std::pair<std::int64_t, std::string>> needed_cells(const CheckedRecord& r, Code code) {
  const std::int64_t p = value(r, 0);
  switch (code) {
    case Code::signal_taken:
    case Code::board_taken:
    case Code::sign_taken:
      return {{point_cell(p), ""}};
    case Code::cut_taken:
      return {{rounded(static_cast<double>(p) / kCell), ""}};
    default:
      break;
  }
  const SlowdownCells s = slowdown_cells(r);
  if (code == Code::warning_taken) return {{s.warning, " for its warning"}};
  if (code == Code::start_taken) return {{s.start, " for its start"}};
  if (code == Code::end_taken) return {{s.end, " for its end"}};
  std::vector<std::pair<std::int64_t, std::string>> cells;
  for (int i = 0; i < kAnnounceCells; ++i) cells.push_back({s.announce - i, " for its announce"});
  return cells;
}

// A slowdown reaches 1200 m back for its warning and announce cells, where an author seldom
// looks: when a feature read after it fails on one of those, the slowdown is the record that
// was moved, and the error stands on its line. (On its start or end, the feature was moved.)
void blame_slowdown(Diagnostic& d, const CheckedRecord& slowdown, const CheckedRecord& failed,
                    std::int64_t cell, std::string part) {
  part = part.substr(2, part.size() - 3);  // " (its start)": "its start"
  d.message = "the slowdown at {here} needs cell " + std::to_string(cell) + " for " + part +
              ", held by " + noun(failed) + " at {other}";
  d.other = {{failed.source, failed.line}};
  d.source = slowdown.source;
  d.line = slowdown.line;
}

bool blame_cell(Diagnostic& d, const SourceCheck& check, const CheckedRecord& culprit) {
  for (const auto& [cell, use] : needed_cells(culprit, d.code)) {
    for (const CheckedRecord& r : check.records) {
      std::string part;
      if (&r == &culprit || !read_before(r, d) || !holds(r, cell, part)) continue;
      const bool far_cell = part == " (its warning cell)" || part == " (its announce cells)";
      if (is(r, "rallentamento") && !is(culprit, "rallentamento") && far_cell) {
        blame_slowdown(d, r, culprit, cell, part);
        return true;
      }
      d.message = noun(culprit) + " at {here} needs cell " + std::to_string(cell) + use +
                  ", held by " + noun(r) + " at {other}" + part;
      d.other = {{r.source, r.line}};
      return true;
    }
  }
  return false;
}

bool blame_station_order(Diagnostic& d, const SourceCheck& check, const CheckedRecord& culprit) {
  const CheckedRecord* previous = nullptr;
  for (const CheckedRecord& r : check.records) {
    if (is(r, "stazione") && r.source == d.source && r.line < d.line) previous = &r;
  }
  if (!previous) return false;
  d.other = {{previous->source, previous->line}};
  const std::int64_t p = value(culprit, 0);
  const std::int64_t q = value(*previous, 0);
  if (p == q) {
    d.message = "the station at " + km_position(p) +
                " stands at the same position as the one before it ({other})";
  } else if (p < q) {
    d.message = "the station at " + km_position(p) + " comes after the one at " + km_position(q) +
                " ({other}) but lies before it: stations stand in order " + "along the line";
  } else {
    d.message = "the station at " + km_position(p) + " has its zone from " +
                km_position(station_zone_start(culprit)) + ", less than " +
                std::to_string(kStationGap) + " m after the end of the previous one's (" +
                km_position(station_zone_end(*previous)) + ", {other})";
  }
  return true;
}

bool blame_beyond_track(Diagnostic& d, const SourceCheck& check, const CheckedRecord& culprit) {
  for (const CheckedRecord& r : check.records) {
    if (!is(r, "lunghezza percorso")) continue;
    const std::int64_t length = value(r, 0);
    d.other = {{r.source, r.line}};
    d.message = noun(culprit) + " at " + km_position(value(culprit, 0)) +
                " lies beyond the end of the track, which ends 7000 m after the route's " +
                std::to_string(length) + " m ({other})";
    if (length < kShortRoute) d.message += ": a route length given in km? Lengths are in metres";
    return true;
  }
  return false;
}

// Cell 1 carries the header values and the competition codes: a feature there takes their
// slots. The error names no line; the feature's record is its cause.
void blame_header_cell(Diagnostic& d, const SourceCheck& check) {
  for (const CheckedRecord& r : check.records) {
    std::string part;
    if (!holds(r, header_cell, part)) continue;
    d.source = r.source;
    d.line = r.line;
    d.message = noun(r) + " at " + km_position(value(r, 0)) + " lies in cell " +
                std::to_string(header_cell) + part +
                ", which carries the header values and the competition codes";
    return;
  }
}

}  // namespace

// Code 2 is raised once the kilometre points are ordered, on no line: the record with a value
// off the 50 m grid is its cause.
void blame_km_point(Diagnostic& d, const SourceCheck& check) {
  for (const CheckedRecord& r : check.records) {
    if (!r.kind || !r.kind->name.starts_with("progressiva")) continue;
    for (std::size_t i = 0; i < 2; ++i) {
      if (value(r, i) % cell_metres == 0) continue;
      d.source = r.source;
      d.line = r.line;
      d.message = "\"" + std::string(r.kind->name) + "\": the " + (i == 0 ? "start" : "end") +
                  " at " + km_position(value(r, i)) + " is off the 50 m grid";
      return;
    }
  }
}

void blame_culprit(Diagnostic& d, const SourceCheck& check) {
  if (!d.is_error || !d.message.empty()) return;
  if (d.code == Code::km_point && d.line == 0) {
    blame_km_point(d, check);
    return;
  }
  if (d.code == Code::header_slot_taken || d.code == Code::code_slot_taken) {
    blame_header_cell(d, check);
    return;
  }
  if (d.line == 0) return;
  const CheckedRecord* culprit = record_at(check, d);
  if (culprit == nullptr) return;
  switch (d.code) {
    case Code::signal_taken:
      if (is(*culprit, "segnale") && point_cell(value(*culprit, 0)) < kFirstSignalCell) {
        d.message = "the signal at " + km_position(value(*culprit, 0)) +
                    " lies before km 0.325: its approach cells, 2 to 8 cells before it, would "
                    "fall before the track";
        return;
      }
      [[fallthrough]];
    case Code::board_taken:
    case Code::sign_taken:
    case Code::cut_taken:
    case Code::warning_taken:
    case Code::start_taken:
    case Code::end_taken:
    case Code::announce_taken:
      blame_cell(d, check, *culprit);
      return;
    case Code::station_spacing:
      if (is(*culprit, "stazione")) blame_station_order(d, check, *culprit);
      return;
    case Code::beyond_track:
      blame_beyond_track(d, check, *culprit);
      return;
    default:
      return;
  }
}

}  // namespace scenario::tool
