// generatore: writes the built-in scenario's sources and documents beside itself and compiles
// them into the files the simulator loads.
#include <csignal>
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

#include "generatore_arguments.h"
#include "platform/file_system.h"
#include "platform/interrupts.h"
#include "platform/program_folder.h"
#include "platform/ui.h"
#include "run/form1.h"
#include "version/version.h"

int main(int argc, char** argv) {
  const std::string version = scenario::version_text();
  if (const auto status =
          scenario::answer_arguments(argc, argv, version.c_str(), std::cout, std::cerr)) {
    return *status;
  }
  scenario::install_interrupt_handlers();
#ifdef SIGXFSZ
  // A file size limit must fail the write, not kill the run before it can clean up.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  try {
    auto ui = scenario::make_ui();
    scenario::RealFileSystem fs;
    return scenario::run_generator(*ui, fs, scenario::program_folder());
  } catch (const scenario::Interrupted& interrupted) {
    scenario::end_by_signal(interrupted.signal);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "generatore: %s\n", e.what());
    return scenario::exit_status::file_failure;
  }
}
