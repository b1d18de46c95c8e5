// The records of the train source: the train's values, speed limits, adhesion, signals,
// slowdowns and code cuts, then the tails of the speed and adhesion stretches.
#include <array>
#include <cstdint>

#include "compiler/reader_session.h"
#include "compiler/recorders.h"
#include "format/table_entries.h"

namespace scenario::source_reading {

namespace {

constexpr std::int64_t kSpeedStep = speed_step_kmh;

}  // namespace

Flow SourceReader::train_records() {
  start_train_records();
  // In the order of train_records().
  static constexpr std::array<Handler, 10> kHandlers{
      &SourceReader::frenata,  &SourceReader::vetture,       &SourceReader::velocita,
      &SourceReader::aderenza, &SourceReader::orologio,      &SourceReader::sabbia,
      &SourceReader::segnale,  &SourceReader::rallentamento, &SourceReader::abbattimento,
      &SourceReader::stazione};
  return record_loop(scenario::train_records(), kHandlers);
}

void SourceReader::start_train_records() {
  open(SourceKind::train, c_.sources.train);
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
  entries::braked_mass_percent(table()) = whole();
  return Flow::go_on;
}

Flow SourceReader::vetture() {
  entries::coaches(table()) = whole();
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
      if (speed_cursor_ >= c_.model.track_last()) break;
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
  entries::clock_hours(table()) = short_number();
  entries::clock_minutes(table()) = short_number();
  entries::clock_seconds(table()) = short_number();
  return Flow::go_on;
}

Flow SourceReader::sabbia() {
  entries::sand(table()) = short_number();
  return Flow::go_on;
}

Flow SourceReader::segnale() {
  const std::int32_t posizione = whole();
  // Read in the order of the record: the left-hand side, then the right-hand side, then the time.
  SignalValues v;
  v.sx = whole();
  v.s1 = whole();
  v.s2 = whole();
  v.s3 = whole();
  v.rapp = whole();
  v.dx = whole();
  v.d1 = whole();
  v.d2 = whole();
  v.d3 = whole();
  Signal signal{.posizione = posizione, .values = v, .tempo = whole()};
  if (!fits_on_track(posizione, kEndMargin)) return beyond_track(posizione);
  return stopped_by_recorder(memo_segnale(track(), c_.codes, signal));
}

Flow SourceReader::rallentamento() {
  const std::int32_t x = whole();
  const std::int32_t v = whole();
  const std::int32_t l = whole();
  const std::int32_t f_tt = whole();
  const std::int32_t f_ta = whole();
  const Slowdown slowdown{.x = x, .v = v, .l = l, .f_tt = f_tt, .f_ta = f_ta, .d_v = whole()};
  if (!fits_on_track(x, kEndMargin)) return beyond_track(x);
  return stopped_by_recorder(memo_rallentamento(track(), c_.codes, slowdown));
}

// A code cut sits one cell earlier than a point feature at the same position.
Flow SourceReader::abbattimento() {
  const std::int32_t p = whole();
  const std::int32_t c = whole();
  if (!fits_on_track(p, kEndMargin)) return beyond_track(p);
  TrackCell& target = cell(cell_at(p, 0));
  if (!is_free(target)) {
    c_.codes.record_at(Code::cut_taken, p);
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

void SourceReader::finish_train_source() {
  close();
  release(c_.sources.train);
  const std::int64_t tail_end = c_.model.track_last() - 2;
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
    const SimRecord& r = table()[static_cast<std::size_t>(entry)];
    if (r.start_m % kCellMetres != 0 || r.end_m % kCellMetres != 0) {
      c_.codes.record(Code::km_point);
      return;
    }
  }
}

}  // namespace scenario::source_reading
