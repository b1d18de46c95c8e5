#include <array>
#include <cstdint>
#include <limits>

#include "compiler/recorders.h"
#include "format/feature_layout.h"
#include "format/model.h"

namespace scenario {

namespace {

// One kilometre-point entry's three values.
struct Triple {
  std::int32_t start_m = 0;
  std::int32_t end_m = 0;
  std::int32_t pos_m = 0;
};

constexpr Triple kZero{};
constexpr std::int32_t kPosMarkingLongEnd = layout::km_point_long_end_mark;
constexpr std::int32_t kLongEndExtra = layout::km_point_long_end_extra;

Triple triple_of(const SimRecord& r) { return {r.start_m, r.end_m, r.pos_m}; }

void store(SimRecord& r, const Triple& t) {
  r.start_m = t.start_m;
  r.end_m = t.end_m;
  r.pos_m = t.pos_m;
}

// The greatest start first; of the other two, the one with the strictly greater start comes
// second, and on a tie the one named in the second place of each rule.
std::array<Triple, 3> by_start(const Triple& tre, const Triple& due, const Triple& uno) {
  if (tre.start_m > due.start_m && tre.start_m > uno.start_m) {
    return due.start_m > uno.start_m ? std::array{tre, due, uno} : std::array{tre, uno, due};
  }
  if (due.start_m > tre.start_m && due.start_m > uno.start_m) {
    return tre.start_m > uno.start_m ? std::array{due, tre, uno} : std::array{due, uno, tre};
  }
  if (uno.start_m > tre.start_m && uno.start_m > due.start_m) {
    return tre.start_m > due.start_m ? std::array{uno, tre, due} : std::array{uno, due, tre};
  }
  return {kZero, kZero, kZero};
}

// With no starts at all the ends decide; the last rule that applies wins.
std::array<Triple, 3> by_end(const Triple& tre, const Triple& due, const Triple& uno) {
  std::array<Triple, 3> order{kZero, kZero, kZero};
  if (tre.end_m >= 1) order = {tre, due, uno};
  if (due.end_m > 0) order = {due, tre, uno};
  if (uno.end_m > 0) order = {uno, due, tre};
  return order;
}

}  // namespace

void progressive_ordina(SimTable& t) {
  const Triple tre = triple_of(t[table_entry::km_tre]);
  const Triple due = triple_of(t[table_entry::km_due]);
  const Triple uno = triple_of(t[table_entry::km_uno]);

  const std::int64_t start_sum = std::int64_t{tre.start_m} + due.start_m + uno.start_m;
  const std::array<Triple, 3> order =
      start_sum != 0 ? by_start(tre, due, uno) : by_end(tre, due, uno);

  for (int k = 0; k < 3; ++k) {
    SimRecord& r = t[table_entry::km_tre + k];
    store(r, order[static_cast<std::size_t>(k)]);
    if (r.pos_m != kPosMarkingLongEnd) continue;
    // An end that would not fit its 32 bits is a failure of the reading, not a wrapped value.
    if (r.end_m > std::numeric_limits<std::int32_t>::max() - kLongEndExtra) {
      throw ModelRangeError("kilometre point end beyond 32 bits");
    }
    r.end_m += kLongEndExtra;
  }
}

}  // namespace scenario
