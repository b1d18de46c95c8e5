// The driver of the reading: the line source, then the train source, each deleted however the
// reading ends; anything that throws on the way ends it with code 25.
#include "compiler/memorizza_dati.h"

#include <exception>
#include <string>

#include "compiler/reader_session.h"
#include "platform/file_system.h"

namespace scenario {

namespace source_reading {

void SourceReader::clear_model() {
  state_.table[table_entry::route].name = state_.route_id;
  state_.table[table_entry::codes].name = state_.train_number;
  state_.track.clear();
  state_.line_geometry = LineGeometry();
  state_.has_line_geometry = false;
  state_.line_last_m = 0;
  state_.track_last = 0;
}

void SourceReader::run() {
  clear_model();
  if (!state_.fs->exists(line_path_)) {
    record_error(state_, code::no_line_source);
    return;
  }
  open(SourceKind::line, line_path_);
  if (!find_general_section()) return;
  if (general_section() == Flow::stop) return;
  if (line_records() == Flow::stop) return;
  finish_line_source();

  if (train_records() == Flow::stop) return;
  finish_train_source();
  check_km_points();
}

void SourceReader::fail() {
  if (source_) state_.reading_line = source_->line();
  record_error(state_, code::failure);
  failed_ = true;
}

void SourceReader::finish() {
  close();
  for (const std::string* path : {&line_path_, &train_path_}) {
    try {
      delete_source(*path);
    } catch (const std::exception&) {
      if (!failed_) fail();
    }
  }
}

}  // namespace source_reading

void memorizza_dati(GeneratorState& state) {
  source_reading::SourceReader reader(state);
  try {
    reader.run();
  } catch (const std::exception&) {
    reader.fail();
  }
  reader.finish();
}

}  // namespace scenario
