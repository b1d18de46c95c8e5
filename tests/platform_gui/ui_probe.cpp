// Opens the real windows through the platform layer, for the tests under a virtual X server.
//   ui_probe wait       shows the wait window, prints "shown", then waits for standard input to
//   close ui_probe message T  shows the message box with text T, prints "closed" once OK is pressed
#include <cstdio>
#include <iostream>
#include <string>

#include "platform/fltk_ui.h"

int main(int argc, char** argv) {
  if (argc < 2) return 64;
  auto ui = scenario::make_fltk_ui();
  if (!ui) {
    std::fprintf(stderr, "no display\n");
    return 2;
  }
  const std::string mode = argv[1];
  if (mode == "wait") {
    ui->show_wait_window();
    std::printf("shown\n");
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
    return 0;
  }
  if (mode == "message" && argc >= 3) {
    ui->message_box(argv[2]);
    std::printf("closed\n");
    return 0;
  }
  return 64;
}
