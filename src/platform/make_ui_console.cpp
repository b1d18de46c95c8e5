#include "platform/ui.h"

namespace scenario {

// A build without windows reports on the console only.
std::unique_ptr<Ui> make_ui() { return std::make_unique<ConsoleUi>(); }

}  // namespace scenario
