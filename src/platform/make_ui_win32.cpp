#include "platform/ui.h"
#include "platform/win32_ui.h"

namespace scenario {

std::unique_ptr<Ui> make_ui() {
  if (auto ui = make_win32_ui()) return ui;
  return std::make_unique<ConsoleUi>();
}

}  // namespace scenario
