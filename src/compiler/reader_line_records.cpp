// The records of the line source: gradients, curves (the line geometry), tunnels, speed boards
// and signboards.
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "compiler/reader_session.h"
#include "compiler/recorders.h"
#include "format/constants.h"

namespace scenario::source_reading {

namespace {

constexpr std::int64_t kLastGeometryMetre = 1000000;
constexpr std::int64_t kGradientBase = gradient_base;

}  // namespace

Flow SourceReader::line_records() {
  start_line_records();
  // In the order of line_records().
  static constexpr std::array<Handler, 5> kHandlers{
      &SourceReader::pendenza, &SourceReader::curva, &SourceReader::montagna,
      &SourceReader::indicatori, &SourceReader::cartello};
  return record_loop(scenario::line_records(), kHandlers);
}

void SourceReader::start_line_records() {
  progressive_ordina(table());
  tunnels_ = TunnelList{};
  sign_slot_ = kFirstSignSlot;
  gradient_cursor_ = 0;
  geometry_cursor_ = 2;
  // The line starts at the origin, heading along the second coordinate, one metre a row.
  if (c_.options.build_line) c_.model.line.value().start();
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

// Rows from the geometry cursor up to `last`, each from the two rows before it. A row beyond the
// line fails the reading; the row at the last metre the geometry may reach ends it with code 103.
Flow SourceReader::geometry_to(std::int64_t last, double k, bool curved) {
  if (geometry_cursor_ > last) return Flow::go_on;
  LineCourse& line = c_.model.line.value();
  const std::int64_t reach = std::min({last, line.last_m(), kLastGeometryMetre});
  line.extend(reach, k, curved);
  geometry_cursor_ = reach + 1;
  if (geometry_cursor_ > kLastGeometryMetre) {
    c_.codes.record(Code::bad_curve);
    return Flow::stop;
  }
  if (reach < last) line.extend(reach + 1, k, curved);  // beyond the line: throws
  return Flow::go_on;
}

Flow SourceReader::curva() {
  if (!c_.options.build_line) return Flow::go_on;
  const std::int32_t p = whole();
  const std::int32_t l = whole();
  if (!fits_on_track(p, kEndMargin)) return beyond_track(p);

  std::optional<double> k;
  for (std::size_t digit = 0; digit < std::size(curve_curvature) && !k; ++digit) {
    if (contains(field_, std::string(1, static_cast<char>('1' + digit)))) {
      k = curve_curvature[digit];
    }
  }
  if (!k) {
    c_.codes.record(Code::bad_curve);
    return Flow::stop;
  }
  if (has("s")) k = -*k;

  const std::int64_t end = std::int64_t{p} + l;
  if (geometry_to(p, 0.0, false) == Flow::stop) return Flow::stop;
  return geometry_to(end, *k, true);
}

Flow SourceReader::montagna() {
  const std::int32_t inizio = whole();
  const std::int32_t fine = whole();
  Tunnel tunnel{.inizio = inizio, .fine = fine, .tipo = whole()};
  if (!fits_on_track(tunnel.inizio, kEndMargin)) return beyond_track(tunnel.inizio);
  return stopped_by_recorder(memo_montagna(track(), tunnels_, tunnel));
}

Flow SourceReader::indicatori() {
  const std::int32_t posizione = whole();
  // Read in the order of the record: the left-hand side, then the right-hand side.
  BoardValues v;
  v.vas = whole();
  v.vbs = whole();
  v.vcs = whole();
  v.strisces = whole();
  v.vad = whole();
  v.vbd = whole();
  v.vcd = whole();
  v.strisced = whole();
  if (!fits_on_track(posizione, kEndMargin)) return beyond_track(posizione);
  return stopped_by_recorder(
      memo_indicatori_v_max(track(), c_.codes, SpeedBoard{.posizione = posizione, .values = v}));
}

Flow SourceReader::cartello() {
  const std::int32_t p = whole();
  field_ = field();
  if (!fits_on_track(p, kEndMargin)) return beyond_track(p);
  TrackCell& c = cell(cell_at(p, 1));
  if (!is_free(c)) {
    c_.codes.record_at(Code::sign_taken, p);
    return Flow::stop;
  }
  if (sign_slot_ < 1) throw ValueDoesNotFit("no table entry left for a sign text");
  std::string text = table_text(field_);
  c.kind = cell_kind::signboard;
  c.value1 = static_cast<std::int16_t>(sign_slot_);
  table()[static_cast<std::size_t>(sign_slot_)].name = std::move(text);
  --sign_slot_;
  return Flow::go_on;
}

void SourceReader::finish_line_source() {
  close();
  release(c_.sources.line);
  do {
    cell(gradient_cursor_).gradient_100 =
        fitted<std::uint8_t>(current_gradient_ + kGradientBase, "gradient");
    ++gradient_cursor_;
  } while (gradient_cursor_ < c_.model.track_last() - 2);
  if (c_.options.build_line) {
    // Straight on to the end; the last two rows stay empty.
    LineCourse& line = c_.model.line.value();
    if (geometry_cursor_ <= line.last_m() - 2) line.extend(line.last_m() - 2, 0.0, false);
  }
}

}  // namespace scenario::source_reading
