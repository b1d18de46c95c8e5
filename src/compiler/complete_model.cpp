#include "compiler/complete_model.h"

#include "compiler/finishing_pass.h"
#include "compiler/header_slots.h"

namespace scenario {

void complete_model(Compilation& c) {
  finishing_pass(c.model.track, c.codes);
  fill_header_slots(c.model, c.codes);
}

}  // namespace scenario
