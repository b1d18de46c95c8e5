#include "format/file_names.h"

namespace scenario {

namespace {

std::string in_folder(const ScenarioNames& names, const std::string& name) {
  return names.folder + path_separator + name;
}

// A file of the route: its identifier, then the suffix.
std::string route_file(const ScenarioNames& names, const std::string& suffix) {
  return in_folder(names, names.route_id + suffix);
}

// A file of the route and train: the route's identifier, "_", the train's number, the suffix.
std::string train_file(const ScenarioNames& names, const std::string& suffix) {
  return route_file(names, "_" + names.train_number + suffix);
}

}  // namespace

std::string line_source_path(const ScenarioNames& s) { return route_file(s, "_linea.txt"); }
std::string train_source_path(const ScenarioNames& s) { return train_file(s, "-.txt"); }
std::string notes_path(const ScenarioNames& s) { return train_file(s, "_note.txt"); }
std::string slowdown_order_path(const ScenarioNames& s) {
  return train_file(s, "_rallentamenti.txt");
}
std::string timetable_path(const ScenarioNames& s) { return train_file(s, "_scheda_treno.txt"); }
std::string line_file_path(const ScenarioNames& s) { return route_file(s, "_linea.dat"); }
std::string table_file_path(const ScenarioNames& s) { return train_file(s, ".sim"); }
std::string track_file_path(const ScenarioNames& s) { return train_file(s, ".dat"); }

}  // namespace scenario
