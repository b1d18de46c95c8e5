// The driver of the reading: the line source, then the train source, each deleted however the
// reading ends; anything that throws on the way ends it with code 25.
#include "compiler/memorizza_dati.h"

#include <exception>
#include <string>

#include "compiler/reader_session.h"
#include "format/table_entries.h"
#include "platform/file_system.h"

namespace scenario {

namespace source_reading {

void SourceReader::clear_model() {
  entries::route_id(table()) = c_.names.route_id;
  entries::train_number(table()) = c_.names.train_number;
  track().clear();
  c_.model.line.reset();
}

void SourceReader::run() {
  clear_model();
  if (!c_.fs.exists(line_path_)) {
    c_.codes.record(Code::no_line_source);
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
  if (source_) at_line(source_->line());
  c_.codes.record(Code::failure);
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

void memorizza_dati(Compilation& c) {
  source_reading::SourceReader reader(c);
  try {
    reader.run();
  } catch (const std::exception&) {
    reader.fail();
  }
  reader.finish();
}

}  // namespace scenario
