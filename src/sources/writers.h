// The five text writers of a run, each writing one file into the state's folder.
#pragma once

namespace scenario {

struct GeneratorState;

void dati_linea(GeneratorState& state);          // the line description source
void dati_treno(GeneratorState& state);          // the train description source
void dati_note(GeneratorState& state);           // the route notes
void dati_rallentamenti(GeneratorState& state);  // the slowdown order
void dati_scheda(GeneratorState& state);         // the timetable sheet

}  // namespace scenario
