#include <cstdio>

#include "platform/ui.h"

namespace scenario {

void ConsoleUi::show_wait_window() {
  std::fprintf(stderr, "%s\n", wait_window::caption);
  std::fflush(stderr);
}

void ConsoleUi::message_box(const std::string& text) {
  std::fprintf(stderr, "%s\n", text.c_str());
  std::fflush(stderr);
}

}  // namespace scenario
