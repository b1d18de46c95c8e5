#include "format/file_names.h"

#include "compiler/compilation.h"
#include "platform/file_system.h"

namespace scenario {

namespace {

std::string in_folder(const GeneratorState& state, const std::string& name) {
  return state.folder + path_separator + name;
}

std::string route_train(const GeneratorState& state) {
  return state.route_id + "_" + state.train_number;
}

}  // namespace

std::string line_source_path(const GeneratorState& s) {
  return in_folder(s, s.route_id + "_linea.txt");
}
std::string train_source_path(const GeneratorState& s) {
  return in_folder(s, route_train(s) + "-.txt");
}
std::string notes_path(const GeneratorState& s) {
  return in_folder(s, route_train(s) + "_note.txt");
}
std::string slowdown_order_path(const GeneratorState& s) {
  return in_folder(s, route_train(s) + "_rallentamenti.txt");
}
std::string timetable_path(const GeneratorState& s) {
  return in_folder(s, route_train(s) + "_scheda_treno.txt");
}
std::string line_file_path(const GeneratorState& s) {
  return in_folder(s, s.route_id + "_linea.dat");
}
std::string table_file_path(const GeneratorState& s) {
  return in_folder(s, route_train(s) + ".sim");
}
std::string track_file_path(const GeneratorState& s) {
  return in_folder(s, route_train(s) + ".dat");
}

}  // namespace scenario
