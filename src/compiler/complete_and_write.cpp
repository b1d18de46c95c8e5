#include "compiler/complete_and_write.h"

#include "compiler/compiled_files.h"
#include "compiler/finishing_pass.h"
#include "compiler/header_slots.h"

namespace scenario {

void complete_and_write(GeneratorState& state) {
  finishing_pass(state);
  fill_header_slots(state);
  write_compiled_files(state);
}

}  // namespace scenario
