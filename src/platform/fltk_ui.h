// The FLTK windows. Only the platform layer sees this.
#pragma once

#include <memory>

#include "platform/ui.h"

namespace scenario {

// Opens the display; null when there is none.
std::unique_ptr<Ui> make_fltk_ui();

}  // namespace scenario
