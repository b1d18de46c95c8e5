// The five text writers of a run, each writing one file into the scenario's folder under the
// scenario's names.
#pragma once

#include "format/file_names.h"

namespace scenario {

class FileSystem;

void dati_linea(const ScenarioNames& names, FileSystem& fs);  // the line description source
void dati_treno(const ScenarioNames& names, FileSystem& fs);  // the train description source
void dati_note(const ScenarioNames& names, FileSystem& fs);   // the route notes
void dati_rallentamenti(const ScenarioNames& names, FileSystem& fs);  // the slowdown order
void dati_scheda(const ScenarioNames& names, FileSystem& fs);         // the timetable sheet

}  // namespace scenario
