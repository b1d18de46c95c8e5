// The error reporter: shows " Errore n. CODE" and ends the run.
#pragma once

#include <cstdint>
#include <string>

namespace scenario {

struct GeneratorState;

// Carries the end of the run from `errore` to main; nothing is written while it unwinds.
struct ErroreExit {
  std::int32_t code;
};

// The text of the message box for a code.
std::string errore_text(const std::string& codice);

// Shows the message box (when the state has one) and ends the run with ErroreExit.
[[noreturn]] void errore(GeneratorState& state, const std::string& codice);

}  // namespace scenario
