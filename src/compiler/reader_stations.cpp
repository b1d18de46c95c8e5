// Station records: the table entry, the station zone, the approach codes and the stop cell.
#include <cstddef>
#include <cstdint>

#include "compiler/reader_session.h"

namespace scenario::source_reading {

namespace {

constexpr std::int64_t kStationEndMargin = 800;
constexpr std::int64_t kStationGap = 350;
constexpr std::int64_t kShortZoneReach = 150;
constexpr std::int64_t kFarEndExtra = 50;
constexpr std::int32_t kLongStation = 600;
constexpr std::int32_t kStationLengthStep = 100;
constexpr std::int32_t kFirstNoStopType = 25;
constexpr int kApproachBase = 80;
constexpr int kApproachCells = 4;

}  // namespace

Flow SourceReader::stazione() {
  const int j = station_number_;
  // With every sign entry down to this one taken, storing the station would overwrite a sign.
  if (j > sign_slot_) {
    c_.codes.record(Code::too_many_stations);
    return Flow::stop;
  }
  SimRecord& st = table()[static_cast<std::size_t>(j)];
  st.pos_m = whole();
  const std::int32_t pos = st.pos_m;
  if (!fits_on_track(pos, kStationEndMargin)) return beyond_track(pos);
  if (pos % kCellMetres != 0) {
    c_.codes.record_at(Code::station_position, pos);
    return Flow::stop;
  }
  st.kind = byte();
  const std::int32_t length = whole();
  if (length % kStationLengthStep != 0) {
    c_.codes.record_at(Code::station_length, pos);
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

  if (j > table_entry::first_station &&
      std::int64_t{st.start_m} - kStationGap < table()[static_cast<std::size_t>(j - 1)].end_m) {
    c_.codes.record_at(Code::station_spacing, pos);
    return Flow::stop;
  }
  ++station_number_;
  if (station_number_ >= sign_slot_) {
    c_.codes.record(Code::too_many_stations);
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
    c_.codes.record(Code::stop_too_near);
    return Flow::stop;
  }
  TrackCell& stop = cell(cell_at(end, -1));
  stop.kind = cell_kind::station_stop;
  stop.value1 = static_cast<std::int16_t>(j);
  return Flow::go_on;
}

}  // namespace scenario::source_reading
