// The source reader's working values, shared by the files that read each kind of record: the
// open source, the keyword field, the cursors that fill the track stretch by stretch, and the
// tunnels recorded so far. Only the reader's own files include this.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "compiler/compilation.h"
#include "compiler/field_reader.h"
#include "compiler/record_kinds.h"
#include "compiler/recorders.h"
#include "format/model.h"

namespace scenario::source_reading {

inline constexpr std::int64_t kCellMetres = cell_metres;
// A point feature must lie this far before the end of the track.
inline constexpr std::int64_t kEndMargin = 100;
inline constexpr int kFirstSignSlot = table_entry::first_sign;

// A value read from a source that the model cannot hold.
class ValueDoesNotFit : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

template <typename T>
T fitted(std::int64_t v, const char* what) {
  if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max()) {
    throw ValueDoesNotFit(std::string(what) + " out of range: " + std::to_string(v));
  }
  return static_cast<T>(v);
}

std::int64_t rounded(double x);
// round(metres / 50 + offset), from the exact quotient.
std::int64_t cell_at(std::int64_t metres, int offset);
bool contains(std::string_view field, std::string_view word);
bool contains_any_case(std::string_view field, std::string_view lower_word);
bool is_comment(std::string_view field);
bool is_header(std::string_view field);
// Source text as the table file stores it; throws ValueDoesNotFit when it is too long.
std::string table_text(std::string_view bytes);

enum class Flow { go_on, leave_loop, stop };

class SourceReader {
 public:
  explicit SourceReader(Compilation& c);

  void run();
  // A failure anywhere ends the reading with code 25.
  void fail();
  // However the reading ended, a source the run could not delete is reported.
  void finish();

 private:
  // Reads the values of one record kind, in the order of the kinds' table.
  using Handler = Flow (SourceReader::*)();

  void clear_model();

  // Sources.
  void open(SourceKind kind, const SourceText& source);
  void close();
  // Where the reading is done with a source, which the run deletes: ends the reading when that
  // deletion failed.
  void release(const SourceText& source);
  bool at_end() const { return source_->at_end(); }
  std::string field();
  std::int32_t whole();
  std::int16_t short_number();
  std::uint8_t byte();

  // Keyword tests and the record loops.
  bool has(std::string_view lower_word) const { return contains_any_case(field_, lower_word); }
  Flow run_tests(std::span<const RecordKind> kinds, std::span<const Handler> handlers);
  bool next_keyword_field();
  Flow record_loop(std::span<const RecordKind> kinds, std::span<const Handler> handlers);
  void report_unknown_keyword(int line) const;

  // Track helpers.
  TrackCell& cell(std::int64_t i) { return track_cell(track(), i); }
  std::vector<TrackCell>& track() { return c_.model.track; }
  SimTable& table() { return c_.model.table; }
  bool fits_on_track(std::int64_t p, std::int64_t margin) const;
  Flow beyond_track(std::int32_t p);
  // The recorder has recorded its code, with the feature's position.
  static Flow stopped_by_recorder(Code code) {
    return code == Code::none ? Flow::go_on : Flow::stop;
  }
  // The reader is on `line` of the open source: codes recorded now are told with it.
  void at_line(int line);

  // The line source: general section.
  bool find_general_section();
  Flow general_section();
  Flow lunghezza();
  Flow progressiva_tre() { return read_km_point(table_entry::km_tre); }
  Flow progressiva_due() { return read_km_point(table_entry::km_due); }
  Flow progressiva_uno() { return read_km_point(table_entry::km_uno); }
  Flow read_km_point(int entry);
  Flow sfondo_uno();
  Flow sfondo_due();
  Flow sfondo_tre();
  Flow ripetizione();

  // The line source: records.
  Flow line_records();
  void start_line_records();
  Flow pendenza();
  Flow curva();
  Flow geometry_to(std::int64_t last, double k, bool curved);
  Flow montagna();
  Flow indicatori();
  Flow cartello();
  void finish_line_source();

  // The train source.
  Flow train_records();
  void start_train_records();
  Flow frenata();
  Flow vetture();
  Flow velocita();
  Flow aderenza();
  Flow orologio();
  Flow sabbia();
  Flow segnale();
  Flow rallentamento();
  Flow abbattimento();
  void finish_train_source();
  void check_km_points();

  // Stations.
  Flow stazione();
  void station_zone(SimRecord& st, std::int64_t length);
  Flow station_stop(const SimRecord& st, int j);

  Compilation& c_;
  // The reader over the open source's bytes, which the compile owns.
  std::optional<FieldReader> source_;
  std::string field_;
  SourceKind source_kind_ = SourceKind::none;
  int line_ = 0;
  bool matched_ = false;
  bool failed_ = false;
  // The last line of the open source on which a record kind was recognised (0: none yet). The
  // fields a record leaves unread follow on that line and are not unknown keywords.
  int recognised_line_ = 0;

  TunnelList tunnels_;
  std::int64_t gradient_cursor_ = 0;
  std::int64_t current_gradient_ = 0;
  std::int64_t geometry_cursor_ = 2;
  int sign_slot_ = kFirstSignSlot;
  std::int64_t speed_cursor_ = 0;
  std::int64_t adhesion_cursor_ = 0;
  // Unset until the first record: cells before it take that record's own value.
  std::optional<std::int32_t> current_speed_;
  std::optional<std::int32_t> current_adhesion_;
  int station_number_ = table_entry::first_station;
};

}  // namespace scenario::source_reading
