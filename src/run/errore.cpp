#include "run/errore.h"

#include "compiler/compilation.h"
#include "platform/ui.h"

namespace scenario {

std::string errore_text(const std::string& codice) { return " Errore n. " + codice; }

void errore(GeneratorState& state, const std::string& codice) {
  if (state.message_box != nullptr) state.message_box->message_box(errore_text(codice));
  throw ErroreExit{static_cast<std::int32_t>(std::stol(codice))};
}

}  // namespace scenario
