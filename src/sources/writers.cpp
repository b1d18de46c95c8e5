// The five text writers: each names its file under the scenario's names and writes its built-in
// content there.
#include "sources/writers.h"

#include "sources/contenuti.h"

namespace scenario {

void dati_linea(const ScenarioNames& names, FileSystem& fs) {
  scrivi_righe(fs, line_source_path(names), contenuto_linea());
}

void dati_treno(const ScenarioNames& names, FileSystem& fs) {
  scrivi_righe(fs, train_source_path(names), contenuto_treno());
}

void dati_note(const ScenarioNames& names, FileSystem& fs) {
  scrivi_righe(fs, notes_path(names), contenuto_note());
}

void dati_rallentamenti(const ScenarioNames& names, FileSystem& fs) {
  scrivi_righe(fs, slowdown_order_path(names), contenuto_rallentamenti());
}

void dati_scheda(const ScenarioNames& names, FileSystem& fs) {
  scrivi_righe(fs, timetable_path(names), contenuto_scheda());
}

}  // namespace scenario
