#include "platform/fltk_ui.h"
#include "platform/ui.h"

namespace scenario {

std::unique_ptr<Ui> make_ui() {
  if (auto ui = make_fltk_ui()) return ui;
  return std::make_unique<ConsoleUi>();
}

}  // namespace scenario
