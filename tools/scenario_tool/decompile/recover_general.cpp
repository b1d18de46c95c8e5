// The general values: what the two general sections put into table entries 81 to 86.
#include <algorithm>
#include <array>
#include <string>

#include "compiler/recorders.h"
#include "format/feature_layout.h"
#include "format/table_entries.h"
#include "scenario_tool/decompile/recover_parts.h"

namespace scenario::tool {

namespace {

// An entry's `end_m` grows by 100 after sorting when its `pos_m` is 1.
constexpr std::int32_t kPosOneExtra = layout::km_point_long_end_extra;

KmPoint stored_point(const SimRecord& r) {
  return {r.start_m, r.pos_m == layout::km_point_long_end_mark ? r.end_m - kPosOneExtra : r.end_m,
          r.pos_m};
}

bool sorts_to(const std::array<KmPoint, 3>& uno_due_tre, const SimTable& table) {
  SimTable trial{};
  // The reader reads "tre" into 81, "due" into 82, "uno" into 83.
  for (int i = 0; i < 3; ++i) {
    SimRecord& r = trial[static_cast<std::size_t>(table_entry::km_uno - i)];
    r.start_m = uno_due_tre[static_cast<std::size_t>(i)].a;
    r.end_m = uno_due_tre[static_cast<std::size_t>(i)].b;
    r.pos_m = uno_due_tre[static_cast<std::size_t>(i)].c;
  }
  progressive_ordina(trial);
  for (int e = table_entry::km_tre; e <= table_entry::km_uno; ++e) {
    const SimRecord& a = trial[static_cast<std::size_t>(e)];
    const SimRecord& b = table[static_cast<std::size_t>(e)];
    if (a.start_m != b.start_m || a.end_m != b.end_m || a.pos_m != b.pos_m) return false;
  }
  return true;
}

// The sort is small and has no inverse worth writing: every order of the stored triples is tried
// through the compiler's own sort, and the first that sorts back to the stored entries is taken.
void recover_km_points(const SimTable& table, RecoveredScenario& out) {
  std::array<KmPoint, 3> stored{};
  for (int i = 0; i < 3; ++i) {
    stored[static_cast<std::size_t>(i)] =
        stored_point(table[static_cast<std::size_t>(table_entry::km_tre + i)]);
  }
  std::array<int, 3> order{0, 1, 2};
  do {
    const std::array<KmPoint, 3> trial{stored[static_cast<std::size_t>(order[0])],
                                       stored[static_cast<std::size_t>(order[1])],
                                       stored[static_cast<std::size_t>(order[2])]};
    if (sorts_to(trial, table)) {
      out.km_points = trial;
      return;
    }
  } while (std::next_permutation(order.begin(), order.end()));
  if (sorts_to({}, table)) return;
  out.km_points = {stored[2], stored[1], stored[0]};
  out.unexpressible.push_back(
      "table entries 81 to 83 (kilometre points) are in an order that the compiler's sort of "
      "the three \"progressiva chilometrica\" records never gives");
}

void recover_repetition(const SimTable& table, RecoveredScenario& out) {
  out.repeat_start = entries::repetition_start_m(table);
  out.repeat_end = entries::repetition_end_m(table);
  const std::int32_t count = entries::repetition_code_count(table);
  if (out.repeat_end == 0 && count == 0) return;
  if (count == entries::repetition_four_codes || count == entries::repetition_nine_codes) {
    out.repeat_codes = count;
    return;
  }
  out.unexpressible.push_back(
      "table entry 86 holds " + std::to_string(count) +
      " codes of repetition; a source gives 4 or 9 (or 0 with an end of 0)");
}

}  // namespace

void recover_general(const SimTable& table, RecoveredScenario& out) {
  out.route_length = entries::route_length_m(table);
  out.braked_mass = entries::braked_mass_percent(table);
  out.coaches = entries::coaches(table);
  out.background_one = entries::background_one(table);
  out.background_two = entries::background_two(table);
  out.background_three = entries::background_three(table);
  recover_km_points(table, out);
  recover_repetition(table, out);
  out.sand = entries::sand(table);
  out.clock = {entries::clock_hours(table), entries::clock_minutes(table),
               entries::clock_seconds(table)};
}

}  // namespace scenario::tool
