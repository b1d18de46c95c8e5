#include "support/sample_scenario.h"

#include "compiler/codice_gara.h"
#include "format/file_writers.h"
#include "support/test_support.h"

namespace scenario::testing {

namespace {

TrackCell& cell(SampleScenario& s, std::size_t i, std::uint8_t kind, std::int16_t v1 = 0) {
  TrackCell& c = s.track.at(i);
  c.kind = kind;
  c.value1 = v1;
  return c;
}

void stretch_properties(SampleScenario& s) {
  const std::size_t tail = s.track.size() - 3;  // the reader's tails stop before the last cells
  for (std::size_t i = 0; i < tail; ++i) {
    TrackCell& c = s.track[i];
    c.gradient_100 = i < 6 ? 100 : i < 40 ? 104 : 98;
    c.speed_div5 = i < 10 ? 6 : 23;
    c.adhesion = i < 200 ? 100 : 70;
  }
  for (std::size_t i = 100; i <= 109; ++i) s.track[i].tunnel_type = 2;
  cell(s, 103, cell_kind::tunnel_marker);
  cell(s, 107, cell_kind::tunnel_marker);
}

void signals(SampleScenario& s) {
  TrackCell& a = cell(s, 21, cell_kind::signal, 22);
  a.value2 = 31;
  a.value3 = 11;
  a.value4 = 1 * 10 + 2 * 3 + 2;
  a.signal_time = 190;
  for (std::uint8_t b = 1; b <= 4; ++b) s.track[21 - 2 * b].approach_code = 80 + b;
  TrackCell& d = cell(s, 81, cell_kind::signal, 30);
  d.value2 = 40;
  d.value4 = 1 * 3 + 0;
  for (std::uint8_t b = 1; b <= 4; ++b) s.track[81 - 2 * b].approach_code = 30 + b;
}

void boards_and_signs(SampleScenario& s) {
  TrackCell& b = cell(s, 11, cell_kind::speed_board, 2424);
  b.value2 = 2020;
  b.value3 = 1818;
  b.value4 = 10;
  cell(s, 91, cell_kind::speed_board, 2300);
  cell(s, 31, cell_kind::signboard, 80);
  cell(s, 111, cell_kind::signboard, 79);
}

void slowdowns(SampleScenario& s) {
  cell(s, 61, cell_kind::slowdown_start, 30).value3 = 1;
  cell(s, 64, cell_kind::slowdown_end, 30).value3 = 1;
  cell(s, 37, cell_kind::slowdown_warning, 30);
  for (std::int16_t i = 0; i < 4; ++i)
    cell(s, 36 - static_cast<std::size_t>(i), cell_kind::slowdown_announce, i + 1);
  cell(s, 121, cell_kind::slowdown_start, 40).value2 = 5;
  cell(s, 127, cell_kind::slowdown_end, 40).value2 = 5;
  cell(s, 97, cell_kind::slowdown_warning, 40).value2 = 5;
  for (std::size_t i : {43, 50, 56}) cell(s, i, cell_kind::code_cut, 180);
  cell(s, 150, cell_kind::code_cut_zero);
}

SimRecord station(std::uint8_t type, std::int32_t pos, std::int32_t start, std::int32_t end,
                  std::string name, std::int32_t time_s) {
  SimRecord r;
  r.kind = type;
  r.pos_m = pos;
  r.start_m = start;
  r.end_m = end;
  r.name = std::move(name);
  r.time_s = time_s;
  r.tps = 1;
  r.d2a = 4;
  r.d1b = 2;
  r.d2b = 1;
  r.ac = 40;
  return r;
}

void stations(SampleScenario& s) {
  s.table[1] = station(8, 0, -400, 400, "VALDORA S.T.V.", 19 * 3600 + 5 * 60);
  s.table[2] = station(2, 2000, 1700, 2350, "MERVA", 19 * 3600 + 11 * 60 + 30);
  s.table[2].mar = 1;
  s.table[3] = station(28, 5000, 4850, 5150, "S.FELDINO", 0);
  cell(s, 7, cell_kind::station_stop, 1);
  cell(s, 46, cell_kind::station_stop, 2);
  for (std::uint8_t k = 1; k <= 4; ++k) {
    s.track[8 - 1 - k].approach_code = 80 + k;
    s.track[47 - 1 - k].approach_code = 80 + k;
  }
}

void header_entries(SampleScenario& s) {
  s.table[80].name = "(VALDORA) (LUSA)";
  s.table[79].name = "Città (è)";
  s.table[81].start_m = 1000;
  s.table[81].end_m = 2000;
  s.table[84].start_m = 120;
  s.table[84].end_m = 7000;
  s.table[84].pos_m = 6;
  s.table[85].start_m = 1;
  s.table[85].pos_m = 2;
  s.table[85].end_m = 3;
  s.table[85].name = "Valdora_Lusa";
  s.table[86].start_m = 1000;
  s.table[86].end_m = 6000;
  s.table[86].pos_m = 4;
  s.table[86].name = "24863";
  s.table[86].d2a = 1;
  s.table[86].d1b = 19;
  s.table[86].d2b = 4;
  s.table[86].d3b = 30;
  s.table[85].d2a = 610;
  s.table[85].time_s = codice_gara_st(s.table);
  s.track.at(1).value1 = 5121;
  s.track.at(1).value2 = codice_gara_og(s.table);
}

// Straight along coordinate 1, then drifting to negative coordinate 0 from metre 1000 on; the
// last two metres stay empty, as the reader leaves them.
LineGeometry sample_line(std::int64_t last_m) {
  LineGeometry g(last_m);
  g.set(0, 0, LineValue::integer(0));
  g.set(0, 1, LineValue::integer(0));
  g.set(1, 0, LineValue::integer(0));
  g.set(1, 1, LineValue::integer(1));
  for (std::int64_t m = 2; m <= last_m - 2; ++m) {
    g.set(m, 0, LineValue::real(m < 1000 ? 0.0 : -0.5 * static_cast<double>(m - 1000)));
    g.set(m, 1, LineValue::real(static_cast<double>(m)));
  }
  return g;
}

}  // namespace

SampleScenario sample_scenario() {
  SampleScenario s;
  s.track.assign(281, TrackCell{});
  stretch_properties(s);
  signals(s);
  boards_and_signs(s);
  slowdowns(s);
  stations(s);
  header_entries(s);
  s.line = sample_line(14000);
  return s;
}

SampleScenario tiny_scenario() {
  SampleScenario s;
  s.track.assign(3, TrackCell{});
  s.track[1] = TrackCell{cell_kind::signal, -2, 300, 5121, -1, 190, 81, 2, 23, 98, 70};
  s.table[1].name = "MERVA";
  s.table[1].time_s = -5;
  s.table[85].name = "R";
  s.table[86].name = "7";
  s.line = LineGeometry(2);
  s.line.set(0, 0, LineValue::integer(-3));
  s.line.set(1, 1, LineValue::real(1.5));
  return s;
}

std::string sample_track_name() { return "Valdora_Lusa_24863.dat"; }
std::string sample_table_name() { return "Valdora_Lusa_24863.sim"; }
std::string sample_line_name() { return "Valdora_Lusa_linea.dat"; }

std::size_t table_entry_offset(const std::string& table_file, int e) {
  std::size_t at = 0;
  for (int i = 0; i < e; ++i) at += 34 + u16_at(table_file, at + 14);
  return at;
}

void write_sample(const SampleScenario& s, const std::string& dir) {
  const std::filesystem::path d(dir);
  write_file(d / sample_track_name(), write_track_file(s.track));
  write_file(d / sample_table_name(), write_table_file(s.table));
  write_file(d / sample_line_name(), write_line_file(s.line));
}

}  // namespace scenario::testing
