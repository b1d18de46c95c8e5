#include "format/file_names.h"

namespace scenario {

namespace {

std::string in_folder(const ScenarioNames& names, const std::string& name) {
  return names.folder + path_separator + name;
}

std::string route_train(const ScenarioNames& names) {
  return names.route_id + "_" + names.train_number;
}

}  // namespace

std::string line_source_path(const ScenarioNames& s) {
  return in_folder(s, s.route_id + "_linea.txt");
}
std::string train_source_path(const ScenarioNames& s) {
  return in_folder(s, route_train(s) + "-.txt");
}
std::string notes_path(const ScenarioNames& s) {
  return in_folder(s, route_train(s) + "_note.txt");
}
std::string slowdown_order_path(const ScenarioNames& s) {
  return in_folder(s, route_train(s) + "_rallentamenti.txt");
}
std::string timetable_path(const ScenarioNames& s) {
  return in_folder(s, route_train(s) + "_scheda_treno.txt");
}
std::string line_file_path(const ScenarioNames& s) {
  return in_folder(s, s.route_id + "_linea.dat");
}
std::string table_file_path(const ScenarioNames& s) {
  return in_folder(s, route_train(s) + ".sim");
}
std::string track_file_path(const ScenarioNames& s) {
  return in_folder(s, route_train(s) + ".dat");
}

}  // namespace scenario
