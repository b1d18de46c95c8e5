// The name of every file of a scenario, formed from its folder and its two identifiers.
#pragma once

#include <string>

namespace scenario {

// The platform's path separator, used to join a folder and a file name.
#ifdef _WIN32
inline constexpr char path_separator = '\\';
#else
inline constexpr char path_separator = '/';
#endif

// What names a scenario's files: where they live (no trailing separator) and the route
// identifier and train number.
struct ScenarioNames {
  std::string folder;
  std::string route_id;
  std::string train_number;
};

std::string line_source_path(const ScenarioNames& names);     // ROUTE_linea.txt
std::string train_source_path(const ScenarioNames& names);    // ROUTE_TRAIN-.txt
std::string notes_path(const ScenarioNames& names);           // ROUTE_TRAIN_note.txt
std::string slowdown_order_path(const ScenarioNames& names);  // ROUTE_TRAIN_rallentamenti.txt
std::string timetable_path(const ScenarioNames& names);       // ROUTE_TRAIN_scheda_treno.txt
std::string line_file_path(const ScenarioNames& names);       // ROUTE_linea.dat
std::string table_file_path(const ScenarioNames& names);      // ROUTE_TRAIN.sim
std::string track_file_path(const ScenarioNames& names);      // ROUTE_TRAIN.dat

}  // namespace scenario
