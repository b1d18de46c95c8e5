// The error reporter: shows " Errore n. CODE" and ends the run.
#pragma once

#include <string>

#include "compiler/codes.h"

namespace scenario {

class MessageSink;

// Carries the end of the run from `errore` to main; nothing is written while it unwinds.
struct ErroreExit {
  Code code;
};

// The text of the message box for a code.
std::string errore_text(Code codice);

// Shows the message box and ends the run with ErroreExit.
[[noreturn]] void errore(MessageSink& message_box, Code codice);

}  // namespace scenario
