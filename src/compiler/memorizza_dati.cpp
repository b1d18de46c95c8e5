#include "compiler/memorizza_dati.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <exception>
#include <limits>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "compiler/field_reader.h"
#include "compiler/model.h"
#include "compiler/recorders.h"
#include "compiler/windows1252.h"
#include "platform/file_system.h"
#include "run/file_names.h"
#include "run/generator_state.h"

namespace scenario {

namespace {

constexpr std::int64_t kCellMetres = 50;
constexpr std::int64_t kExtraMetres = 7000;
constexpr std::int32_t kLongestRoute = 1000000;
constexpr std::int64_t kLastGeometryMetre = 1000000;
constexpr std::int64_t kEndMargin = 100;
constexpr std::int64_t kStationEndMargin = 800;
constexpr std::int64_t kStationGap = 350;
constexpr std::int64_t kShortZoneReach = 150;
constexpr std::int64_t kFarEndExtra = 50;
constexpr std::int32_t kLongStation = 600;
constexpr std::int32_t kStationLengthStep = 100;
constexpr std::int32_t kFirstNoStopType = 25;
constexpr std::int64_t kGradientBase = 100;
constexpr std::int64_t kSpeedStep = 5;
constexpr int kFirstSignSlot = table_entry::first_sign;
constexpr int kApproachBase = 80;
constexpr int kApproachCells = 4;
constexpr int kGeneralCommentSkips = 10;
constexpr int kRecordCommentSkips = 2;
constexpr std::size_t kLongestText = 65535;

namespace code {
constexpr std::int32_t route_too_long = 1;
constexpr std::int32_t km_point = 2;
constexpr std::int32_t repeat_start = 3;
constexpr std::int32_t repeat_end = 4;
constexpr std::int32_t repeat_codes = 5;
constexpr std::int32_t sign_taken = 6;
constexpr std::int32_t cut_taken = 7;
constexpr std::int32_t station_position = 8;
constexpr std::int32_t station_length = 9;
constexpr std::int32_t too_many_stations = 10;
constexpr std::int32_t beyond_track = 15;
constexpr std::int32_t station_spacing = 22;
constexpr std::int32_t stop_too_near = 24;
constexpr std::int32_t failure = 25;
constexpr std::int32_t no_line_source = 101;
constexpr std::int32_t no_general = 102;
constexpr std::int32_t bad_curve = 103;
}  // namespace code

// Curvature per metre by class digit "1" to "6".
constexpr std::array<double, 6> kCurvature{0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

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

std::int64_t rounded(double x) { return static_cast<std::int64_t>(round_half_even(x)); }

// round(metres / 50 + offset), from the exact quotient.
std::int64_t cell_at(std::int64_t metres, int offset) {
  return rounded(static_cast<double>(metres) / static_cast<double>(kCellMetres) + offset);
}

std::string lower_ascii(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  return out;
}

bool contains(std::string_view field, std::string_view word) {
  return field.find(word) != std::string_view::npos;
}

bool contains_any_case(std::string_view field, std::string_view lower_word) {
  return contains(lower_ascii(field), lower_word);
}

bool is_comment(std::string_view field) { return contains(field, "-"); }

bool is_header(std::string_view field) { return contains(field, "[") && contains(field, "]"); }

// Fields come without their leading spaces, so the first character is the one that counts.
bool closes_general_section(std::string_view field) {
  return !field.starts_with('-') && is_header(field);
}

// Source text is taken as UTF-8 when it is valid UTF-8 and as Windows-1252 otherwise; the table
// file stores it in Windows-1252 behind a 16-bit length.
std::string table_text(std::string_view bytes) {
  const bool utf8 = is_valid_utf8(bytes);
  const std::size_t encoded = utf8 ? to_windows1252(bytes).size() : bytes.size();
  if (encoded > kLongestText) throw ValueDoesNotFit("text longer than 65535 bytes");
  return utf8 ? std::string(bytes) : from_windows1252(bytes);
}

enum class Flow { go_on, leave_loop, stop };

class SourceReader {
 public:
  explicit SourceReader(GeneratorState& state)
      : state_(state), line_path_(line_source_path(state)), train_path_(train_source_path(state)) {}

  void run();
  // A failure anywhere ends the reading with code 25.
  void fail();
  // However the reading ended, no text source stays behind.
  void finish();

 private:
  struct RecordKind {
    std::string_view first;
    std::string_view second;  // empty when one word identifies the record
    bool exact_case;
    Flow (SourceReader::*read)();
  };

  // Sources.
  void open(SourceKind kind, const std::string& path);
  void close();
  void delete_source(const std::string& path);
  bool at_end() const { return source_->at_end(); }
  std::string field();
  std::int32_t whole();
  std::int16_t short_number();
  std::uint8_t byte();

  // Keyword tests and the record loops.
  bool has(std::string_view lower_word) const { return contains_any_case(field_, lower_word); }
  bool matches(const RecordKind& kind) const;
  Flow run_tests(std::span<const RecordKind> kinds);
  bool next_keyword_field();
  Flow record_loop(std::span<const RecordKind> kinds);
  void report_unknown_keyword() const;

  // Track helpers.
  TrackCell& cell(std::int64_t i) { return track_cell(state_.track, i); }
  bool fits_on_track(std::int64_t p, std::int64_t margin) const;
  Flow beyond_track(std::int32_t p);
  Flow stopped_by_recorder(std::int32_t code, std::int32_t pos);

  // The line source.
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
  void start_line_records();
  Flow pendenza();
  Flow curva();
  void geometry_step(double k, bool curved);
  Flow montagna();
  Flow indicatori();
  Flow cartello();
  void finish_line_source();

  // The train source.
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
  Flow stazione();
  void station_zone(SimRecord& st, std::int64_t length);
  Flow station_stop(const SimRecord& st, int j);
  void finish_train_source();
  void check_km_points();

  GeneratorState& state_;
  const std::string line_path_;
  const std::string train_path_;
  std::optional<FieldReader> source_;
  std::string field_;
  bool matched_ = false;
  bool failed_ = false;

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

// ---- Sources ----

void SourceReader::open(SourceKind kind, const std::string& path) {
  state_.reading_source = kind;
  state_.reading_line = 0;
  std::string bytes;
  std::string err;
  if (!state_.fs->read(path, &bytes, &err)) {
    throw std::runtime_error("cannot read " + path + ": " + err);
  }
  source_.emplace(std::move(bytes));
}

void SourceReader::close() {
  source_.reset();
  state_.reading_source = SourceKind::none;
  state_.reading_line = 0;
}

void SourceReader::delete_source(const std::string& path) {
  if (!state_.fs->exists(path)) return;
  std::string err;
  if (!state_.fs->remove(path, &err)) {
    throw std::runtime_error("cannot delete " + path + ": " + err);
  }
}

std::string SourceReader::field() {
  std::string f = source_->read_field();
  state_.reading_line = source_->line();
  return f;
}

std::int32_t SourceReader::whole() {
  const std::int32_t v = source_->read_whole();
  state_.reading_line = source_->line();
  return v;
}

std::int16_t SourceReader::short_number() {
  const std::int16_t v = source_->read_short();
  state_.reading_line = source_->line();
  return v;
}

std::uint8_t SourceReader::byte() {
  const std::uint8_t v = source_->read_byte();
  state_.reading_line = source_->line();
  return v;
}

// ---- Keyword tests and record loops ----

bool SourceReader::matches(const RecordKind& kind) const {
  const auto test = [&](std::string_view word) {
    return word.empty() || (kind.exact_case ? contains(field_, word) : has(word));
  };
  return test(kind.first) && test(kind.second);
}

// Every test looks at the same field, in order, and a field may pass several of them.
Flow SourceReader::run_tests(std::span<const RecordKind> kinds) {
  for (const RecordKind& kind : kinds) {
    if (!matches(kind)) continue;
    matched_ = true;
    const Flow flow = (this->*kind.read)();
    if (flow != Flow::go_on) return flow;
  }
  return Flow::go_on;
}

// Reads the next keyword field, passing over up to two comment fields; false at the end of the
// source, where a field just read is not used.
bool SourceReader::next_keyword_field() {
  if (at_end()) return false;
  field_ = field();
  if (at_end()) return false;
  for (int skipped = 0; skipped < kRecordCommentSkips && is_comment(field_); ++skipped) {
    field_ = field();
    if (at_end()) return false;
  }
  return true;
}

Flow SourceReader::record_loop(std::span<const RecordKind> kinds) {
  while (next_keyword_field()) {
    matched_ = false;
    const Flow flow = run_tests(kinds);
    if (flow == Flow::stop) return Flow::stop;
    if (flow == Flow::leave_loop) break;
    if (!matched_) report_unknown_keyword();
  }
  return Flow::go_on;
}

void SourceReader::report_unknown_keyword() const {
  if (state_.observer == nullptr || field_.empty() || is_comment(field_) || is_header(field_)) {
    return;
  }
  state_.observer->on_unknown_keyword(state_.reading_source, state_.reading_line, field_);
}

// ---- Track helpers ----

bool SourceReader::fits_on_track(std::int64_t p, std::int64_t margin) const {
  return p + margin <= kCellMetres * state_.track_last;
}

Flow SourceReader::beyond_track(std::int32_t p) {
  record_error_at(state_, code::beyond_track, p);
  return Flow::leave_loop;
}

// The recorder has recorded its code; the position is the feature's as the reader read it.
Flow SourceReader::stopped_by_recorder(std::int32_t code, std::int32_t pos) {
  if (code == 0) return Flow::go_on;
  state_.error_pos = pos;
  state_.error_pos_recorded = true;
  return Flow::stop;
}

// ---- The whole reading ----

void SourceReader::run() {
  state_.table[table_entry::route].name = state_.route_id;
  state_.table[table_entry::codes].name = state_.train_number;
  state_.track.clear();
  state_.line_geometry = LineGeometry();
  state_.has_line_geometry = false;
  state_.line_last_m = 0;
  state_.track_last = 0;

  if (!state_.fs->exists(line_path_)) {
    record_error(state_, code::no_line_source);
    return;
  }
  open(SourceKind::line, line_path_);
  if (!find_general_section()) return;
  if (general_section() == Flow::stop) return;
  start_line_records();

  static constexpr std::array<RecordKind, 5> kLineRecords{{
      {"pendenza", "", false, &SourceReader::pendenza},
      {"curva", "", false, &SourceReader::curva},
      {"montagna", "", false, &SourceReader::montagna},
      {"indicatori_v", "", false, &SourceReader::indicatori},
      {"cartello", "indicat", false, &SourceReader::cartello},
  }};
  if (record_loop(kLineRecords) == Flow::stop) return;
  finish_line_source();

  start_train_records();
  static constexpr std::array<RecordKind, 10> kTrainRecords{{
      {"frenata", "massa", false, &SourceReader::frenata},
      {"vetture", "", false, &SourceReader::vetture},
      {"velocit", "", false, &SourceReader::velocita},
      {"aderenza", "", false, &SourceReader::aderenza},
      {"orologio", "", false, &SourceReader::orologio},
      {"sabbia", "", false, &SourceReader::sabbia},
      {"segnale", "", false, &SourceReader::segnale},
      {"rallentamento", "", false, &SourceReader::rallentamento},
      {"abbattimento", "", false, &SourceReader::abbattimento},
      {"stazione", "", false, &SourceReader::stazione},
  }};
  if (record_loop(kTrainRecords) == Flow::stop) return;
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

// ---- The line source: general section ----

// False when the source ends first (code 102).
bool SourceReader::find_general_section() {
  while (!at_end()) {
    field_ = field();
    if (at_end()) break;
    if (has("[generale]")) return true;
  }
  record_error(state_, code::no_general);
  return false;
}

Flow SourceReader::general_section() {
  static constexpr std::array<RecordKind, 8> kGeneralRecords{{
      {"lunghezza", "percorso", false, &SourceReader::lunghezza},
      {"tre", "progressiva", true, &SourceReader::progressiva_tre},
      {"due", "progressiva", true, &SourceReader::progressiva_due},
      {"uno", "progressiva", true, &SourceReader::progressiva_uno},
      {"sfondo", "uno", true, &SourceReader::sfondo_uno},
      {"sfondo", "due", true, &SourceReader::sfondo_due},
      {"sfondo", "tre", true, &SourceReader::sfondo_tre},
      {"segnali", "ripetizione", true, &SourceReader::ripetizione},
  }};
  while (!at_end()) {
    field_ = field();
    if (at_end()) break;
    // No end test between these reads: a source that ends here fails on the next read.
    for (int skipped = 0; skipped < kGeneralCommentSkips && is_comment(field_); ++skipped) {
      field_ = field();
    }
    if (run_tests(kGeneralRecords) == Flow::stop) return Flow::stop;
    if (closes_general_section(field_)) break;
  }
  return Flow::go_on;
}

Flow SourceReader::lunghezza() {
  const std::int32_t length = whole();
  state_.table[table_entry::train].end_m = length;
  if (length > kLongestRoute) {
    record_error(state_, code::route_too_long);
    return Flow::stop;
  }
  const std::int64_t line_last = std::int64_t{length} + kExtraMetres;
  const std::int64_t track_last = rounded(static_cast<double>(line_last) / kCellMetres);
  // Cell 1 carries the header of the track file: a track without it is no track.
  if (track_last < 1) throw ValueDoesNotFit("route too short for a track");

  state_.line_last_m = static_cast<std::int32_t>(line_last);
  state_.track_last = static_cast<std::int32_t>(track_last);
  state_.track.assign(static_cast<std::size_t>(track_last) + 1, TrackCell{});
  if (state_.build_line != 0) {
    state_.line_geometry = LineGeometry(line_last);
    state_.has_line_geometry = true;
  }
  return Flow::go_on;
}

Flow SourceReader::read_km_point(int entry) {
  SimRecord& r = state_.table[static_cast<std::size_t>(entry)];
  r.start_m = whole();
  r.end_m = whole();
  r.pos_m = whole();
  return Flow::go_on;
}

Flow SourceReader::sfondo_uno() {
  state_.table[table_entry::route].start_m = whole();
  return Flow::go_on;
}

Flow SourceReader::sfondo_due() {
  state_.table[table_entry::route].pos_m = whole();
  return Flow::go_on;
}

Flow SourceReader::sfondo_tre() {
  state_.table[table_entry::route].end_m = whole();
  return Flow::go_on;
}

Flow SourceReader::ripetizione() {
  SimRecord& r = state_.table[table_entry::codes];
  r.start_m = whole();
  r.end_m = whole();
  if (r.start_m % kCellMetres != 0) {
    record_error(state_, code::repeat_start);
    return Flow::stop;
  }
  if (r.end_m % kCellMetres != 0) {
    record_error(state_, code::repeat_end);
    return Flow::stop;
  }
  if (contains(field_, "4")) {
    r.pos_m = 4;
  } else if (contains(field_, "9")) {
    r.pos_m = 9;
  } else {
    record_error(state_, code::repeat_codes);
    return Flow::stop;
  }
  if (r.end_m == 0) r.pos_m = 0;
  return Flow::go_on;
}

// ---- The line source: records ----

void SourceReader::start_line_records() {
  progressive_ordina(state_);
  state_.tunnel_count = 0;
  state_.tunnel_starts.clear();
  state_.tunnel_ends.clear();
  sign_slot_ = kFirstSignSlot;
  gradient_cursor_ = 0;
  geometry_cursor_ = 2;
  if (state_.build_line != 0) {
    // The line starts at the origin, heading along the second coordinate, one metre a row.
    LineGeometry& g = state_.line_geometry;
    g.set(0, 0, LineValue::integer(0));
    g.set(0, 1, LineValue::integer(0));
    g.set(1, 0, LineValue::integer(0));
    g.set(1, 1, LineValue::integer(1));
  }
}

Flow SourceReader::pendenza() {
  const std::int32_t p = whole();
  const std::int32_t g = whole();
  if (!fits_on_track(p, kEndMargin)) return beyond_track(p);
  const std::int64_t n = cell_at(p, 0);
  if (n > 0) {
    do {
      cell(gradient_cursor_).gradient_100 =
          fitted<std::uint8_t>(current_gradient_ + kGradientBase, "gradient");
      ++gradient_cursor_;
    } while (gradient_cursor_ < n);
  }
  current_gradient_ = g;
  return Flow::go_on;
}

// Row m from the two rows before it; the step vector is not normalised.
void SourceReader::geometry_step(double k, bool curved) {
  LineGeometry& g = state_.line_geometry;
  const std::int64_t m = geometry_cursor_;
  const double x1 = g.at(m - 1, 0).number();
  const double y1 = g.at(m - 1, 1).number();
  const double dx = x1 - g.at(m - 2, 0).number();
  const double dy = y1 - g.at(m - 2, 1).number();
  if (curved) {
    g.set(m, 0, LineValue::real(x1 + (dx + k * dy)));
    g.set(m, 1, LineValue::real(y1 + (dy - k * dx)));
  } else {
    g.set(m, 0, LineValue::real(x1 + dx));
    g.set(m, 1, LineValue::real(y1 + dy));
  }
  ++geometry_cursor_;
}

Flow SourceReader::curva() {
  if (state_.build_line == 0) return Flow::go_on;
  const std::int32_t p = whole();
  const std::int32_t l = whole();
  if (!fits_on_track(p, kEndMargin)) return beyond_track(p);

  std::optional<double> k;
  for (std::size_t digit = 0; digit < kCurvature.size() && !k; ++digit) {
    if (contains(field_, std::string(1, static_cast<char>('1' + digit)))) k = kCurvature[digit];
  }
  if (!k) {
    record_error(state_, code::bad_curve);
    return Flow::stop;
  }
  if (has("s")) k = -*k;

  const std::int64_t end = std::int64_t{p} + l;
  for (const bool curved : {false, true}) {
    const std::int64_t last = curved ? end : p;
    while (geometry_cursor_ <= last) {
      geometry_step(curved ? *k : 0.0, curved);
      if (geometry_cursor_ > kLastGeometryMetre) {
        record_error(state_, code::bad_curve);
        return Flow::stop;
      }
    }
  }
  return Flow::go_on;
}

Flow SourceReader::montagna() {
  std::int32_t inizio = whole();
  std::int32_t fine = whole();
  std::int32_t tipo = whole();
  const std::int32_t pos = inizio;
  if (!fits_on_track(pos, kEndMargin)) return beyond_track(pos);
  return stopped_by_recorder(memo_montagna(state_, inizio, fine, tipo), pos);
}

Flow SourceReader::indicatori() {
  const std::int32_t posizione = whole();
  std::int32_t vas = whole();
  std::int32_t vbs = whole();
  std::int32_t vcs = whole();
  std::int32_t strisces = whole();
  std::int32_t vad = whole();
  std::int32_t vbd = whole();
  std::int32_t vcd = whole();
  std::int32_t strisced = whole();
  if (!fits_on_track(posizione, kEndMargin)) return beyond_track(posizione);
  return stopped_by_recorder(
      memo_indicatori_v_max(state_, posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced),
      posizione);
}

Flow SourceReader::cartello() {
  const std::int32_t p = whole();
  field_ = field();
  if (!fits_on_track(p, kEndMargin)) return beyond_track(p);
  TrackCell& c = cell(cell_at(p, 1));
  if (!is_free(c)) {
    record_error_at(state_, code::sign_taken, p);
    return Flow::stop;
  }
  if (sign_slot_ < 1) throw ValueDoesNotFit("no table entry left for a sign text");
  std::string text = table_text(field_);
  c.kind = cell_kind::signboard;
  c.value1 = static_cast<std::int16_t>(sign_slot_);
  state_.table[static_cast<std::size_t>(sign_slot_)].name = std::move(text);
  --sign_slot_;
  return Flow::go_on;
}

void SourceReader::finish_line_source() {
  close();
  delete_source(line_path_);
  do {
    cell(gradient_cursor_).gradient_100 =
        fitted<std::uint8_t>(current_gradient_ + kGradientBase, "gradient");
    ++gradient_cursor_;
  } while (gradient_cursor_ < std::int64_t{state_.track_last} - 2);
  if (state_.build_line != 0) {
    // The last two rows stay empty.
    while (geometry_cursor_ <= std::int64_t{state_.line_last_m} - 2) geometry_step(0.0, false);
  }
}

// ---- The train source ----

void SourceReader::start_train_records() {
  open(SourceKind::train, train_path_);
  // A source without the header yields no records.
  while (!at_end()) {
    field_ = field();
    if (has("[generale]")) break;
  }
  speed_cursor_ = 0;
  adhesion_cursor_ = 0;
  station_number_ = table_entry::first_station;
}

Flow SourceReader::frenata() {
  state_.table[table_entry::train].start_m = whole();
  return Flow::go_on;
}

Flow SourceReader::vetture() {
  state_.table[table_entry::train].pos_m = whole();
  return Flow::go_on;
}

Flow SourceReader::velocita() {
  const std::int32_t p = whole();
  const std::int32_t v = whole();
  if (!fits_on_track(p, kEndMargin)) return beyond_track(p);
  if (!current_speed_) current_speed_ = v;
  const std::int64_t n = cell_at(p, 0);
  if (n > 0) {
    do {
      if (speed_cursor_ >= state_.track_last) break;
      cell(speed_cursor_).speed_div5 =
          fitted<std::uint8_t>(rounded(*current_speed_ / static_cast<double>(kSpeedStep)), "speed");
      ++speed_cursor_;
    } while (speed_cursor_ < n);
  }
  current_speed_ = v;
  return Flow::go_on;
}

Flow SourceReader::aderenza() {
  const std::int32_t p = whole();
  const std::int32_t a = whole();
  if (!fits_on_track(p, kEndMargin)) return beyond_track(p);
  if (!current_adhesion_) current_adhesion_ = a;
  const std::int64_t n = cell_at(p, 0);
  if (n > 0) {
    do {
      cell(adhesion_cursor_).adhesion = static_cast<std::uint8_t>(*current_adhesion_);
      ++adhesion_cursor_;
    } while (adhesion_cursor_ < n);
  }
  current_adhesion_ = a;
  return Flow::go_on;
}

Flow SourceReader::orologio() {
  SimRecord& r = state_.table[table_entry::codes];
  r.d1b = short_number();
  r.d2b = short_number();
  r.d3b = short_number();
  return Flow::go_on;
}

Flow SourceReader::sabbia() {
  state_.table[table_entry::codes].d2a = short_number();
  return Flow::go_on;
}

Flow SourceReader::segnale() {
  const std::int32_t posizione = whole();
  std::int32_t sx = whole();
  std::int32_t s1 = whole();
  std::int32_t s2 = whole();
  std::int32_t s3 = whole();
  std::int32_t rapp = whole();
  std::int32_t dx = whole();
  std::int32_t d1 = whole();
  std::int32_t d2 = whole();
  std::int32_t d3 = whole();
  std::int32_t tempo = whole();
  if (!fits_on_track(posizione, kEndMargin)) return beyond_track(posizione);
  return stopped_by_recorder(
      memo_segnale(state_, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo), posizione);
}

Flow SourceReader::rallentamento() {
  const std::int32_t x = whole();
  std::int32_t v = whole();
  std::int32_t l = whole();
  std::int32_t f_tt = whole();
  const std::int32_t f_ta = whole();
  std::int32_t d_v = whole();
  if (!fits_on_track(x, kEndMargin)) return beyond_track(x);
  return stopped_by_recorder(memo_rallentamento(state_, x, v, l, f_tt, f_ta, d_v), x);
}

// A code cut sits one cell earlier than a point feature at the same position.
Flow SourceReader::abbattimento() {
  const std::int32_t p = whole();
  const std::int32_t c = whole();
  if (!fits_on_track(p, kEndMargin)) return beyond_track(p);
  TrackCell& target = cell(cell_at(p, 0));
  if (!is_free(target)) {
    record_error_at(state_, code::cut_taken, p);
    return Flow::stop;
  }
  if (c < 1) {
    target.kind = cell_kind::code_cut_zero;
  } else {
    const auto value = fitted<std::int16_t>(c, "code cut value");
    target.kind = cell_kind::code_cut;
    target.value1 = value;
  }
  return Flow::go_on;
}

Flow SourceReader::stazione() {
  const int j = station_number_;
  // With every sign entry down to this one taken, storing the station would overwrite a sign.
  if (j > sign_slot_) {
    record_error(state_, code::too_many_stations);
    return Flow::stop;
  }
  SimRecord& st = state_.table[static_cast<std::size_t>(j)];
  st.pos_m = whole();
  const std::int32_t pos = st.pos_m;
  if (!fits_on_track(pos, kStationEndMargin)) return beyond_track(pos);
  if (pos % kCellMetres != 0) {
    record_error_at(state_, code::station_position, pos);
    return Flow::stop;
  }
  st.kind = byte();
  const std::int32_t length = whole();
  if (length % kStationLengthStep != 0) {
    record_error_at(state_, code::station_length, pos);
    return Flow::stop;
  }
  st.tps = byte();
  st.tab = byte();
  st.mar = byte();
  st.d2a = short_number();
  st.d3a = short_number();
  st.rap = byte();
  st.d1b = short_number();
  st.d2b = short_number();
  st.d3b = short_number();
  st.ac = byte();
  const std::int64_t h = whole();
  const std::int64_t m = whole();
  const std::int64_t s = whole();
  st.name = table_text(field());
  st.time_s = fitted<std::int32_t>(h * 3600 + m * 60 + s, "timetable time");

  station_zone(st, length);
  if (length < kLongStation) st.tab = 0;
  if (j == table_entry::first_station) {
    st.mar = 0;
    st.tab = 0;
  }
  if (station_stop(st, j) == Flow::stop) return Flow::stop;

  if (j > table_entry::first_station && std::int64_t{st.start_m} - kStationGap <
                                            state_.table[static_cast<std::size_t>(j - 1)].end_m) {
    record_error_at(state_, code::station_spacing, pos);
    return Flow::stop;
  }
  ++station_number_;
  if (station_number_ >= sign_slot_) {
    record_error(state_, code::too_many_stations);
    return Flow::stop;
  }
  return Flow::go_on;
}

void SourceReader::station_zone(SimRecord& st, std::int64_t length) {
  const std::int64_t pos = st.pos_m;
  std::int64_t start = 0;
  std::int64_t end = 0;
  switch (st.kind) {
    case 5:
    case 6:
      start = pos - length;
      end = pos + kShortZoneReach;
      st.mar = 0;
      break;
    case 7:
    case 8:
      start = pos - length;
      end = pos + length;
      st.mar = 0;
      break;
    default:
      // The length is a multiple of 100: its half is exact.
      start = pos - length / 2;
      end = pos + length / 2 + (st.mar != 0 ? kFarEndExtra : 0);
      break;
  }
  st.start_m = fitted<std::int32_t>(start, "station zone start");
  st.end_m = fitted<std::int32_t>(end, "station zone end");
}

// Approach codes before the far end, then the stop cell; stations of type 25 and above have
// neither.
Flow SourceReader::station_stop(const SimRecord& st, int j) {
  if (st.kind >= kFirstNoStopType) return Flow::go_on;
  const std::int64_t end = st.end_m;
  if (st.kind != 5 && st.kind != 6) {
    for (int k = 1; k <= kApproachCells; ++k) {
      // end / 50 - k - 1 > 1, exactly.
      if (end > kCellMetres * (k + 2)) {
        cell(cell_at(end, -k - 1)).approach_code = static_cast<std::uint8_t>(kApproachBase + k);
      }
    }
  }
  // end / 50 - 1 > 1, exactly.
  if (end <= 2 * kCellMetres) {
    record_error(state_, code::stop_too_near);
    return Flow::stop;
  }
  TrackCell& stop = cell(cell_at(end, -1));
  stop.kind = cell_kind::station_stop;
  stop.value1 = static_cast<std::int16_t>(j);
  return Flow::go_on;
}

void SourceReader::finish_train_source() {
  close();
  delete_source(train_path_);
  const std::int64_t tail_end = std::int64_t{state_.track_last} - 2;
  const std::uint8_t speed = fitted<std::uint8_t>(
      rounded(current_speed_.value_or(0) / static_cast<double>(kSpeedStep)), "speed");
  do {
    cell(speed_cursor_).speed_div5 = speed;
    ++speed_cursor_;
  } while (speed_cursor_ < tail_end);
  const auto adhesion = static_cast<std::uint8_t>(current_adhesion_.value_or(0));
  do {
    cell(adhesion_cursor_).adhesion = adhesion;
    ++adhesion_cursor_;
  } while (adhesion_cursor_ < tail_end);
}

void SourceReader::check_km_points() {
  for (int entry = table_entry::km_tre; entry <= table_entry::km_uno; ++entry) {
    const SimRecord& r = state_.table[static_cast<std::size_t>(entry)];
    if (r.start_m % kCellMetres != 0 || r.end_m % kCellMetres != 0) {
      record_error(state_, code::km_point);
      return;
    }
  }
}

}  // namespace

void memorizza_dati(GeneratorState& state) {
  SourceReader reader(state);
  try {
    reader.run();
  } catch (const std::exception&) {
    reader.fail();
  }
  reader.finish();
}

}  // namespace scenario
