#include "run/errore.h"

#include "platform/ui.h"

namespace scenario {

std::string errore_text(Code codice) { return " Errore n. " + to_string(codice); }

void errore(MessageSink& message_box, Code codice) {
  message_box.message_box(errore_text(codice));
  throw ErroreExit{codice};
}

}  // namespace scenario
