#include "compiler/header_slots.h"

#include <cstdint>

#include "compiler/codice_gara.h"
#include "compiler/compilation.h"
#include "format/model.h"
#include "run/errore.h"

namespace scenario {

namespace {

constexpr std::int16_t kRouteHeaderValue = 610;
constexpr std::int16_t kTrackHeaderValue = 5121;
constexpr std::int64_t kHeaderCell = 1;

}  // namespace

void fill_header_slots(GeneratorState& state) {
  SimRecord& route = state.table[table_entry::route];
  TrackCell& header = track_cell(state.track, kHeaderCell);

  if (route.d2a != 0 || header.value1 != 0) errore(state, "1250");
  route.d2a = kRouteHeaderValue;
  header.value1 = kTrackHeaderValue;

  if (route.time_s != 0 || header.value2 != 0) errore(state, "1251");
  route.time_s = codice_gara_st(state.table);
  header.value2 = codice_gara_og(state.table);
}

}  // namespace scenario
