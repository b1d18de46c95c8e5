#include "compiler/header_slots.h"

#include "compiler/codice_gara.h"
#include "format/constants.h"

namespace scenario {

namespace {

[[noreturn]] void conflict(CodeLog& codes, Code code) {
  codes.record(code);
  throw HeaderConflict{code};
}

}  // namespace

void fill_header_slots(CompiledScenario& model, CodeLog& codes) {
  SimRecord& route = model.table[table_entry::route];
  TrackCell& header = track_cell(model.track, header_cell);

  if (route.d2a != 0 || header.value1 != 0) conflict(codes, Code::header_slot_taken);
  route.d2a = table_header_value;
  header.value1 = track_header_value;

  if (route.time_s != 0 || header.value2 != 0) conflict(codes, Code::code_slot_taken);
  route.time_s = codice_gara_st(model.table);
  header.value2 = codice_gara_og(model.table);
}

}  // namespace scenario
