#include <algorithm>
#include <cstdint>

#include "scenario_tool/diff/changes.h"
#include "scenario_tool/scenario/track_views.h"

namespace scenario::tool {

namespace {

CellSpan span(std::size_t first, std::size_t last) {
  return CellSpan{static_cast<std::int64_t>(first), static_cast<std::int64_t>(last)};
}

Json run_json(const CellSpan& s, Json old_value, Json new_value) {
  return Json{{"first_cell", s.first_cell},  {"last_cell", s.last_cell},
              {"start_m", s.start_m()},      {"end_m", s.end_m()},
              {"old", std::move(old_value)}, {"new", std::move(new_value)}};
}

// The cells compared: those both tracks have. When one track is the shorter, its last cells that
// the compile never wrote (no gradient byte) are the end of its route, which the other track goes
// past: the change of route length says that already.
std::size_t compared_cells(const std::vector<TrackCell>& before,
                           const std::vector<TrackCell>& after) {
  std::size_t n = std::min(before.size(), after.size());
  if (before.size() == after.size()) return n;
  const std::vector<TrackCell>& shorter = before.size() < after.size() ? before : after;
  while (n > 0 && shorter[n - 1].gradient_100 == 0) --n;
  return n;
}

// Consecutive cells where the byte of `field` went from one same value to another same value.
template <typename Emit>
void changed_runs(const std::vector<TrackCell>& before, const std::vector<TrackCell>& after,
                  std::uint8_t TrackCell::*field, Emit&& emit) {
  const std::size_t n = compared_cells(before, after);
  std::size_t i = 0;
  while (i < n) {
    const std::uint8_t b = before[i].*field;
    const std::uint8_t a = after[i].*field;
    std::size_t end = i + 1;
    while (end < n && before[end].*field == b && after[end].*field == a) ++end;
    if (a != b) emit(i, end - 1, b, a);
    i = end;
  }
}

}  // namespace

std::vector<StretchChange> stretch_changes(const std::vector<TrackCell>& before,
                                           const std::vector<TrackCell>& after) {
  std::vector<StretchChange> out;
  for (const StretchProperty& p : stretch_properties()) {
    changed_runs(before, after, p.field,
                 [&](std::size_t first, std::size_t last, std::uint8_t b, std::uint8_t a) {
                   out.push_back({p.name, span(first, last), p.value(b), p.value(a)});
                 });
  }
  std::stable_sort(out.begin(), out.end(), [](const StretchChange& a, const StretchChange& b) {
    return a.cells.first_cell < b.cells.first_cell;
  });
  return out;
}

Json stretch_changes_json(const std::vector<StretchChange>& changes) {
  Json out = Json::array();
  for (const StretchChange& c : changes) {
    Json r{{"property", c.property}};
    r.update(run_json(c.cells, value_json(c.old_value), value_json(c.new_value)));
    out.push_back(std::move(r));
  }
  return out;
}

std::vector<ApproachCodeChange> approach_code_changes(const std::vector<TrackCell>& before,
                                                      const std::vector<TrackCell>& after) {
  // The codes before a signal or a stop go every other cell: a change of one signal's codes is one
  // span, cells that changed with at most one unchanged cell between them.
  const std::size_t n = compared_cells(before, after);
  auto changed = [&](std::size_t i) { return before[i].approach_code != after[i].approach_code; };
  std::vector<ApproachCodeChange> out;
  for (std::size_t i = 0; i < n; ++i) {
    if (!changed(i)) continue;
    std::size_t last = i;
    while (last + 1 < n && (changed(last + 1) || (last + 2 < n && changed(last + 2)))) {
      last += changed(last + 1) ? 1 : 2;
    }
    ApproachCodeChange c{span(i, last), {}, {}};
    for (std::size_t k = i; k <= last; ++k) {
      c.old_codes.push_back(before[k].approach_code);
      c.new_codes.push_back(after[k].approach_code);
    }
    out.push_back(std::move(c));
    i = last;
  }
  return out;
}

Json approach_code_changes_json(const std::vector<ApproachCodeChange>& changes) {
  Json out = Json::array();
  for (const ApproachCodeChange& c : changes) {
    out.push_back(run_json(c.cells, c.old_codes, c.new_codes));
  }
  return out;
}

}  // namespace scenario::tool
