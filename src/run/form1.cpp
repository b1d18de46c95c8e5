#include "run/form1.h"

#include <cstdio>

#include "compiler/codes.h"
#include "compiler/memorizza_percorso.h"
#include "platform/replace_files.h"
#include "platform/ui.h"
#include "run/builtin_scenario.h"
#include "run/errore.h"
#include "sources/writers.h"

namespace scenario {

Form1::Form1(Ui& ui, FileSystem& fs, std::string folder) : ui_(ui) {
  state_.folder = std::move(folder);
  state_.fs = &fs;
  state_.message_box = &ui;
}

void Form1::Form_Load() {
  state_.route_id = builtin_route_id;
  state_.train_number = builtin_train_number;
  ui_.show_wait_window();
  dati_linea(state_);
  dati_treno(state_);
  dati_note(state_);
  dati_rallentamenti(state_);
  dati_scheda(state_);
  memorizza_percorso(state_, 1);
}

std::string recorded_error_line(const GeneratorState& state) {
  std::string line = "recorded error " + std::to_string(state.error_code);
  if (state.error_pos_recorded) line += " at " + std::to_string(state.error_pos) + " m";
  line += ": ";
  line += error_meaning(state.error_code);
  return line;
}

int run_generator(Ui& ui, FileSystem& fs, const std::string& folder) {
  Form1 form(ui, fs, folder);
  try {
    form.Form_Load();
  } catch (const ErroreExit&) {
    return exit_status::errore;
  } catch (const FileError& e) {
    ui.message_box(e.what());
    return exit_status::file_failure;
  }
  if (form.state().error_code != 0) {
    std::fprintf(stderr, "%s\n", recorded_error_line(form.state()).c_str());
    return exit_status::recorded_code;
  }
  return exit_status::clean;
}

}  // namespace scenario
