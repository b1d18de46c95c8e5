// The driver of the reading: the line source, then the train source; anything that throws on the
// way ends it with code 25, and so does a source the run could not delete.
#include "compiler/memorizza_dati.h"

#include <exception>

#include "compiler/reader_session.h"
#include "format/table_entries.h"

namespace scenario {

namespace source_reading {

void SourceReader::clear_model() {
  entries::route_id(table()) = c_.ids.route_id;
  entries::train_number(table()) = c_.ids.train_number;
  track().clear();
  c_.model.line.reset();
}

void SourceReader::run() {
  clear_model();
  if (c_.sources.line.state == SourceText::State::absent) {
    c_.codes.record(Code::no_line_source);
    return;
  }
  open(SourceKind::line, c_.sources.line);
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

// A reading that stopped before releasing a source meets its failed deletion here.
void SourceReader::finish() {
  close();
  for (const SourceText* source : {&c_.sources.line, &c_.sources.train}) {
    if (source->deletion_failed && !failed_) fail();
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
