#include "compiler/complete_and_write.h"

#include "compiler/compiled_files.h"
#include "compiler/finishing_pass.h"
#include "compiler/header_slots.h"

namespace scenario {

void complete_and_write(Compilation& c) {
  finishing_pass(c.model.track, c.codes);
  fill_header_slots(c.model, c.codes);
  c.written = write_compiled_files(c.names, c.model, c.fs);
}

}  // namespace scenario
