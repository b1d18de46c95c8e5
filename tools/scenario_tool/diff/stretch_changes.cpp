#include <algorithm>
#include <cstdint>

#include "scenario_tool/diff/changes.h"
#include "scenario_tool/scenario/track_views.h"

namespace scenario::tool {

namespace {

Json run(std::size_t first, std::size_t last, Json old_value, Json new_value) {
  const auto f = static_cast<std::int64_t>(first);
  const auto l = static_cast<std::int64_t>(last);
  return Json{{"first_cell", f},
              {"last_cell", l},
              {"start_m", cell_start_m(f)},
              {"end_m", cell_start_m(l + 1)},
              {"old", std::move(old_value)},
              {"new", std::move(new_value)}};
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

Json stretch_changes(const std::vector<TrackCell>& before, const std::vector<TrackCell>& after) {
  Json out = Json::array();
  for (const StretchProperty& p : stretch_properties()) {
    changed_runs(before, after, p.field,
                 [&](std::size_t first, std::size_t last, std::uint8_t b, std::uint8_t a) {
                   Json r{{"property", p.name}};
                   r.update(run(first, last, p.value(b), p.value(a)));
                   out.push_back(std::move(r));
                 });
  }
  std::stable_sort(out.begin(), out.end(), [](const Json& a, const Json& b) {
    return a.at("first_cell").get<std::int64_t>() < b.at("first_cell").get<std::int64_t>();
  });
  return out;
}

Json approach_code_changes(const std::vector<TrackCell>& before,
                           const std::vector<TrackCell>& after) {
  // The codes before a signal or a stop go every other cell: a change of one signal's codes is one
  // span, cells that changed with at most one unchanged cell between them.
  const std::size_t n = compared_cells(before, after);
  auto changed = [&](std::size_t i) { return before[i].approach_code != after[i].approach_code; };
  Json out = Json::array();
  for (std::size_t i = 0; i < n; ++i) {
    if (!changed(i)) continue;
    std::size_t last = i;
    while (last + 1 < n && (changed(last + 1) || (last + 2 < n && changed(last + 2)))) {
      last += changed(last + 1) ? 1 : 2;
    }
    Json old_codes = Json::array();
    Json new_codes = Json::array();
    for (std::size_t c = i; c <= last; ++c) {
      old_codes.push_back(before[c].approach_code);
      new_codes.push_back(after[c].approach_code);
    }
    out.push_back(run(i, last, std::move(old_codes), std::move(new_codes)));
    i = last;
  }
  return out;
}

}  // namespace scenario::tool
