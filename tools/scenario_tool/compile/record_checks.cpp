#include "scenario_tool/compile/record_checks.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "format/feature_layout.h"
#include "scenario_tool/scenario/position_text.h"

namespace scenario::tool {

namespace {

// A section slower than this on average, and longer than an hour, reads as an hour slip.
constexpr double kSlowestSection_km_h = 15.0;
constexpr std::int64_t kHour_s = 3600;

std::optional<std::int64_t> value(const CheckedRecord& r, std::size_t i) {
  return i < r.values.size() ? r.values[i] : std::nullopt;
}

bool is(const CheckedRecord& r, std::string_view name) {
  return r.kind != nullptr && r.kind->name == name;
}

Diagnostic told(const CheckedRecord& r, const char* id, std::string message, bool error = false) {
  Diagnostic d;
  d.is_error = error;
  d.source = r.source;
  d.line = r.line;
  d.id = id;
  d.message = std::move(message);
  return d;
}

std::string here(const CheckedRecord& r) { return ":" + std::to_string(r.line); }

struct Stretch {
  const CheckedRecord* record;
  std::int64_t from;
  std::int64_t to;
};

// The start and end of a stretch record, when both were read.
std::optional<Stretch> stretch_of(const CheckedRecord& r, std::size_t end, bool end_is_length) {
  const auto from = value(r, 0);
  const auto to = value(r, end);
  if (!from || !to) return std::nullopt;
  return Stretch{&r, *from, end_is_length ? *from + *to : *to};
}

std::string what_it_becomes(std::string_view name, const Stretch& earlier) {
  if (name == "montagna") {
    return "a tunnel that starts before the one before it ends is stored as type " +
           std::to_string(layout::adjacent_tunnel_type) +
           " (a tunnel that follows another) over all its cells, whatever its own type";
  }
  if (name == "curva") {
    return "the line is already drawn to " + km_position(earlier.to) +
           " with the earlier curve, so this one's curvature starts there";
  }
  return "their start and end markers interleave, and the speed in force between them is that "
         "of the marker the train passed last, not the lower one";
}

// Each record against the one of its kind before it, in the order the compiler reads them.
void check_overlaps(const std::vector<CheckedRecord>& records, std::vector<Diagnostic>& out) {
  struct Kind {
    std::string_view name;
    std::string_view noun;
    std::size_t end;
    bool end_is_length;
  };
  for (const Kind& k : {Kind{"montagna", "tunnel", 1, false}, Kind{"curva", "curve", 1, true},
                        Kind{"rallentamento", "slowdown", 2, true}}) {
    std::optional<Stretch> before;
    for (const CheckedRecord& r : records) {
      if (!is(r, k.name)) continue;
      const auto s = stretch_of(r, k.end, k.end_is_length);
      if (!s) continue;
      if (before && s->from < before->to && s->to > before->from) {
        out.push_back(told(r, record_check_id::overlap,
                           "the " + std::string(k.noun) + " from " + std::to_string(s->from) +
                               " to " + std::to_string(s->to) + " m (" + km_position(s->from) +
                               ") overlaps the one at " + here(*before->record) + " (" +
                               std::to_string(before->from) + " to " + std::to_string(before->to) +
                               " m): " + what_it_becomes(k.name, *before)));
      }
      if (!before || s->to > before->to) before = s;
    }
  }
}

std::optional<std::int64_t> seconds_of(const CheckedRecord& r, std::size_t first) {
  const auto h = value(r, first);
  const auto m = value(r, first + 1);
  const auto s = value(r, first + 2);
  if (!h || !m || !s) return std::nullopt;
  return *h * kHour_s + *m * 60 + *s;
}

std::string clock_text(std::int64_t s) {
  char text[64];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(s / kHour_s),
                static_cast<long long>(s / 60 % 60), static_cast<long long>(s % 60));
  return text;
}

constexpr std::size_t kStationTime = 13;  // oro, orm, ors

struct Timed {
  const CheckedRecord* record;
  std::int64_t position;
  std::int64_t time;
};

// The stations that carry a time (not 0 0 0), in the order of the source.
std::vector<Timed> timed_stations(const std::vector<CheckedRecord>& records) {
  std::vector<Timed> timed;
  for (const CheckedRecord& r : records) {
    if (!is(r, "stazione")) continue;
    const auto p = value(r, 0);
    const auto t = seconds_of(r, kStationTime);
    if (p && t && *t > 0) timed.push_back({&r, *p, *t});
  }
  return timed;
}

void check_timetable_slips(const std::vector<CheckedRecord>& records,
                           std::vector<Diagnostic>& out) {
  const std::vector<Timed> timed = timed_stations(records);
  if (timed.empty()) return;
  for (const CheckedRecord& r : records) {
    if (!is(r, "orologio")) continue;
    const auto clock = seconds_of(r, 0);
    if (clock && *clock > timed.front().time) {
      out.push_back(told(r, record_check_id::clock_late,
                         "the clock starts at " + clock_text(*clock) +
                             ", after the first departure, " + clock_text(timed.front().time) +
                             " at " + here(*timed.front().record) +
                             ": the train is late before it moves"));
    }
  }
  for (std::size_t i = 1; i < timed.size(); ++i) {
    const Timed& a = timed[i - 1];
    const Timed& b = timed[i];
    const std::int64_t taken = b.time - a.time;
    const double km = static_cast<double>(b.position - a.position) / 1000.0;
    if (taken <= kHour_s || km <= 0) continue;
    if (km / (static_cast<double>(taken) / kHour_s) >= kSlowestSection_km_h) continue;
    out.push_back(told(*b.record, record_check_id::section_long,
                       "the station at " + km_position(b.position) + " is timed " +
                           clock_text(b.time) + ", " + clock_text(taken) + " after the one at " +
                           here(*a.record) + " for " +
                           km_position(b.position - a.position).substr(3) +
                           " km: an hour written where minutes were meant?"));
  }
}

// The line limit in force at a position: the last speed record at or before it.
std::optional<std::int64_t> limit_at(const std::vector<CheckedRecord>& records, std::int64_t p) {
  std::optional<std::int64_t> limit;
  std::optional<std::int64_t> from;
  for (const CheckedRecord& r : records) {
    if (!is(r, "velocita' limite")) continue;
    const auto at = value(r, 0);
    const auto v = value(r, 1);
    if (at && v && *at <= p && (!from || *at >= *from)) {
      from = at;
      limit = v;
    }
  }
  return limit;
}

void check_slowdown_speeds(const std::vector<CheckedRecord>& records,
                           std::vector<Diagnostic>& out) {
  for (const CheckedRecord& r : records) {
    if (!is(r, "rallentamento")) continue;
    const auto x = value(r, 0);
    const auto v = value(r, 1);
    if (!x || !v) continue;
    const auto limit = limit_at(records, *x);
    if (limit && *v > *limit) {
      out.push_back(told(r, record_check_id::slowdown_above_limit,
                         "the slowdown at " + km_position(*x) + " allows " + std::to_string(*v) +
                             " km/h, above the line limit of " + std::to_string(*limit) +
                             " km/h there: it slows nothing"));
    }
  }
}

void check_train_given(const std::vector<CheckedRecord>& records, std::vector<Diagnostic>& out) {
  const bool given = std::any_of(records.begin(), records.end(), [](const CheckedRecord& r) {
    return is(r, "stazione") || is(r, "velocita' limite");
  });
  if (given) return;
  CheckedRecord whole;
  whole.source = SourceKind::train;
  out.push_back(told(whole, record_check_id::train_empty,
                     "the train source gave no station and no speed limit: the line cannot be "
                     "driven (every limit is 0)",
                     true));
}

// Stations and signals write approach codes into the cells before them without looking: where
// the two meet, the record read last replaces the other's codes, and the driver's cab signal
// changes from one to the other between the cells.
constexpr std::int32_t kFirstNoStopType = 25;
constexpr std::int64_t kCell = cell_metres;

std::int64_t cell_of(std::int64_t metres, int offset) {
  return static_cast<std::int64_t>(
      std::nearbyint(static_cast<double>(metres) / static_cast<double>(kCell) + offset));
}

// The cells a station writes its approach codes into, as the reader places them.
std::vector<std::int64_t> station_approach_cells(const CheckedRecord& r) {
  const auto pos = value(r, 0), tipo = value(r, 1), length = value(r, 2), mar = value(r, 5);
  if (!pos || !tipo || !length || !mar) return {};
  if (*tipo >= kFirstNoStopType || *tipo == 5 || *tipo == 6) return {};
  const bool whole = *tipo == 7 || *tipo == 8;
  const std::int64_t end = whole ? *pos + *length : *pos + *length / 2 + (*mar != 0 ? kCell : 0);
  std::vector<std::int64_t> cells;
  for (int k = 1; k <= 4; ++k) {
    if (end > kCell * (k + 2)) cells.push_back(cell_of(end, -k - 1));
  }
  return cells;
}

void check_approach_codes(const std::vector<CheckedRecord>& records, std::vector<Diagnostic>& out) {
  std::vector<std::pair<const CheckedRecord*, std::vector<std::int64_t>>> stations;
  for (const CheckedRecord& r : records) {
    if (is(r, "stazione")) stations.emplace_back(&r, station_approach_cells(r));
  }
  for (const CheckedRecord& r : records) {
    const auto pos = is(r, "segnale") ? value(r, 0) : std::nullopt;
    if (!pos) continue;
    const std::int64_t c = cell_of(*pos, 1);
    for (const auto& [station, cells] : stations) {
      const bool meets = std::any_of(cells.begin(), cells.end(), [&](std::int64_t a) {
        for (int b = 1; b <= 4; ++b) {
          if (a == c - 2 * b) return true;
        }
        return false;
      });
      if (!meets) continue;
      out.push_back(told(r, record_check_id::approach_interleaved,
                         "the signal at " + km_position(*pos) +
                             " writes its approach codes into cells where the station at " +
                             here(*station) +
                             " writes its own: the record read last replaces "
                             "the other's codes there"));
      break;
    }
  }
}

}  // namespace

std::vector<Diagnostic> check_records(const std::vector<CheckedRecord>& records) {
  std::vector<Diagnostic> out;
  check_approach_codes(records, out);
  check_overlaps(records, out);
  check_timetable_slips(records, out);
  check_slowdown_speeds(records, out);
  check_train_given(records, out);
  std::stable_sort(out.begin(), out.end(), [](const Diagnostic& a, const Diagnostic& b) {
    const auto key = [](const Diagnostic& d) {
      return std::pair{d.source == SourceKind::train, d.line == 0 ? 1 << 30 : d.line};
    };
    return key(a) < key(b);
  });
  return out;
}

}  // namespace scenario::tool
