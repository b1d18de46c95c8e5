#include "run/form1.h"

#include <cstdio>

#include "platform/replace_files.h"
#include "platform/ui.h"
#include "run/builtin_scenario.h"
#include "run/errore.h"
#include "sources/writers.h"

namespace scenario {

Form1::Form1(Ui& ui, FileSystem& fs, std::string folder) : ui_(ui), fs_(fs) {
  names_.folder = std::move(folder);
}

void Form1::Form_Load() {
  names_.route_id = builtin_route_id;
  names_.train_number = builtin_train_number;
  ui_.show_wait_window();
  dati_linea(names_, fs_);
  dati_treno(names_, fs_);
  dati_note(names_, fs_);
  dati_rallentamenti(names_, fs_);
  dati_scheda(names_, fs_);
  compilation_ = memorizza_percorso(names_, fs_, CompileOptions{.build_line = true});
  if (compilation_->result.header_conflict) errore(ui_, compilation_->result.code.code);
}

std::string recorded_error_line(const RecordedCode& recorded) {
  std::string line = "recorded error " + to_string(recorded.code);
  if (recorded.has_pos) line += " at " + std::to_string(recorded.pos) + " m";
  line += ": ";
  line += code_meaning(recorded.code);
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
  const RecordedCode& recorded = form.compilation().result.code;
  if (recorded.code != Code::none) {
    std::fprintf(stderr, "%s\n", recorded_error_line(recorded).c_str());
    return exit_status::recorded_code;
  }
  return exit_status::clean;
}

}  // namespace scenario
