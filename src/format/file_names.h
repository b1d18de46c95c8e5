// The name of every file of a run, formed from the folder and the two identifiers.
#pragma once

#include <string>

namespace scenario {

struct GeneratorState;

std::string line_source_path(const GeneratorState& state);     // ROUTE_linea.txt
std::string train_source_path(const GeneratorState& state);    // ROUTE_TRAIN-.txt
std::string notes_path(const GeneratorState& state);           // ROUTE_TRAIN_note.txt
std::string slowdown_order_path(const GeneratorState& state);  // ROUTE_TRAIN_rallentamenti.txt
std::string timetable_path(const GeneratorState& state);       // ROUTE_TRAIN_scheda_treno.txt
std::string line_file_path(const GeneratorState& state);       // ROUTE_linea.dat
std::string table_file_path(const GeneratorState& state);      // ROUTE_TRAIN.sim
std::string track_file_path(const GeneratorState& state);      // ROUTE_TRAIN.dat

}  // namespace scenario
