#include "synthetic_scenario.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace synthetic {

namespace {

constexpr std::int32_t kCellMetres = 50;
// The compiled track reaches this far past the end of the line.
constexpr std::int32_t kTrackExtra = 7000;
constexpr std::int32_t kWarningDistance = 1200;
constexpr int kAnnounceCells = 4;
// Nearest cell of each band before a slowdown start that receives a code marker.
constexpr std::array<std::int64_t, 3> kBandCells{5, 11, 18};
// Inside a slow slowdown a code marker goes every 8 cells from its start.
constexpr std::int64_t kInsideMarkerSpacing = 8;

using Cells = std::vector<std::int64_t>;

// The values of the records: fixed with seed 0, drawn from the seed otherwise.
class Vary {
 public:
  explicit Vary(std::uint32_t seed) : on_(seed != 0), engine_(seed) {}
  bool on() const { return on_; }
  // `fixed` with seed 0, else any whole number from lo to hi.
  std::int64_t pick(std::int64_t fixed, std::int64_t lo, std::int64_t hi) {
    if (!on_) return fixed;
    return std::uniform_int_distribution<std::int64_t>(lo, hi)(engine_);
  }
  // A multiple of `step` from lo to hi.
  std::int64_t step(std::int64_t fixed, std::int64_t lo, std::int64_t hi, std::int64_t step) {
    return pick(fixed / step, lo / step, hi / step) * step;
  }

 private:
  bool on_;
  std::mt19937 engine_;
};

// Every position used here is a multiple of 50, so the quotient is exact.
std::int64_t point_cell(std::int32_t p) { return p / kCellMetres + 1; }

// A signal takes its own cell and keeps the one before it free for the code marker that a
// nearby slowdown puts there.
Cells signal_cells(std::int32_t p) {
  const std::int64_t c = point_cell(p);
  return {c, c - 1};
}

Cells board_cells(std::int32_t p) { return {point_cell(p)}; }

// The stop cell near the station's far end; the compile writes it over whatever is there.
Cells station_cells(std::int32_t p) { return {(p + station_length / 2) / kCellMetres - 1}; }

// Start, end, warning and announce cells, and the cells kept free for the code markers that the
// compile adds before the start and inside the slowdown.
Cells slowdown_cells(std::int32_t x) {
  const std::int64_t s = point_cell(x);
  const std::int64_t e = point_cell(x + slowdown_length);
  const std::int64_t w = point_cell(x - kWarningDistance);
  Cells cells{s, e, w};
  for (int i = 1; i <= kAnnounceCells; ++i) cells.push_back(w - i);
  for (std::int64_t band : kBandCells) cells.push_back(s - band);
  for (std::int64_t m = s + kInsideMarkerSpacing; m < e; m += kInsideMarkerSpacing) {
    cells.push_back(m);
  }
  return cells;
}

class CellMap {
 public:
  explicit CellMap(std::int32_t length_m)
      : taken_(static_cast<std::size_t>((length_m + kTrackExtra) / kCellMetres + 1), false) {}

  bool all_free(const Cells& cells) const {
    return std::all_of(cells.begin(), cells.end(), [this](std::int64_t c) {
      if (c < 0 || c >= static_cast<std::int64_t>(taken_.size())) {
        throw std::logic_error("a synthetic feature left the track");
      }
      return !taken_[static_cast<std::size_t>(c)];
    });
  }

  void take(const Cells& cells) {
    for (std::int64_t c : cells) taken_[static_cast<std::size_t>(c)] = true;
  }

 private:
  std::vector<bool> taken_;
};

// step, 2 step, ... below the end of the line, at most `most` of them.
std::vector<std::int32_t> every(std::int32_t step, std::int32_t length_m, int most = 1 << 30) {
  std::vector<std::int32_t> positions;
  for (std::int32_t p = step; p < length_m && static_cast<int>(positions.size()) < most;
       p += step) {
    positions.push_back(p);
  }
  return positions;
}

// Moves each position forward by 50 m until every cell it needs is free, then takes them.
std::vector<std::int32_t> place(CellMap& map, const std::vector<std::int32_t>& nominal,
                                Cells (*cells_of)(std::int32_t), int& shifted) {
  std::vector<std::int32_t> placed;
  for (std::int32_t p : nominal) {
    const std::int32_t wanted = p;
    while (!map.all_free(cells_of(p))) p += kCellMetres;
    if (p != wanted) ++shifted;
    map.take(cells_of(p));
    placed.push_back(p);
  }
  return placed;
}

// One CR LF line after another.
class Text {
 public:
  Text& operator<<(std::string_view s) {
    bytes_ += s;
    return *this;
  }
  Text& operator<<(std::int64_t n) {
    bytes_ += std::to_string(n);
    return *this;
  }
  void end_line() { bytes_ += "\r\n"; }
  void line(std::string_view s) {
    bytes_ += s;
    end_line();
  }
  std::string take() { return std::move(bytes_); }

 private:
  std::string bytes_;
};

void general_line_records(Text& t, std::int32_t length_m) {
  t.line("Percorso sintetico");
  t.line("");
  t.line("inizio_dati");
  t.line("[generale]");
  t << "lunghezza percorso, " << length_m;
  t.end_line();
  t.line("progressiva chilometrica uno, 0, 0, 0");
  t.line("progressiva chilometrica due, 0, 0, 0");
  t.line("progressiva chilometrica tre, 0, 0, 0");
  t.line("sfondo uno, 1");
  t.line("sfondo due, 0");
  t.line("sfondo tre, 0");
  t << "ripetizione segnali 4 codici, 0, " << length_m;
  t.end_line();
}

int write_gradients(Text& t, std::int32_t length_m, Vary& vary) {
  constexpr std::array<int, 8> kGradients{3, 0, -2, 0, 5, -4, 1, 0};
  t.line("[pendenze]");
  const auto positions = every(gradient_every, length_m);
  for (std::size_t i = 0; i < positions.size(); ++i) {
    t << "pendenza, " << positions[i] << ", "
      << vary.pick(kGradients[i % kGradients.size()], -30, 30);
    t.end_line();
  }
  return static_cast<int>(positions.size());
}

// Alternating sides, classes 1 to 6 in turn; every curve ends before the next one starts. Varied,
// a curve starts up to 199 m late and runs 1 to 350 m, so that it may reach into the next.
int write_curves(Text& t, std::int32_t length_m, Vary& vary) {
  t.line("[curve]");
  const auto positions = every(curve_every, length_m - curve_length);
  for (std::size_t i = 0; i < positions.size(); ++i) {
    const char side = vary.pick(i % 2, 0, 1) == 0 ? 's' : 'd';
    const char digit = static_cast<char>('1' + vary.pick(static_cast<std::int64_t>(i % 6), 0, 5));
    t << "curva" << std::string_view(&side, 1) << std::string_view(&digit, 1) << ", "
      << positions[i] + vary.pick(0, 0, 199) << ", " << vary.pick(curve_length, 1, 350);
    t.end_line();
  }
  return static_cast<int>(positions.size());
}

// Varied: speeds of 0 to 250 km/h in steps of 5 and up to 3 stripes on each side.
void write_boards(Text& t, const std::vector<std::int32_t>& positions, Vary& vary) {
  t.line("[cartelli]");
  for (std::size_t i = 0; i < positions.size(); ++i) {
    const std::array<std::int64_t, 3> fixed = i % 2 == 0
                                                  ? std::array<std::int64_t, 3>{120, 130, 135}
                                                  : std::array<std::int64_t, 3>{100, 105, 110};
    t << "indicatori_vmax, " << positions[i];
    for (int side = 0; side < 2; ++side) {
      for (std::int64_t v : fixed) t << ", " << vary.step(v, 0, 250, 5);
      t << ", " << vary.pick(0, 0, 3);
    }
    t.end_line();
  }
}

// Evenly spread over the line; every other one asks for tunnel markers (type 2 plus 10).
int write_tunnels(Text& t, std::int32_t length_m, Vary& vary) {
  const std::int32_t spacing = length_m / tunnel_count / kCellMetres * kCellMetres;
  const std::int32_t offset = spacing / 2 / kCellMetres * kCellMetres;
  const std::int32_t length = std::max(kCellMetres, spacing * 2 / 5 / kCellMetres * kCellMetres);
  t.line("[montagne]");
  for (int k = 0; k < tunnel_count; ++k) {
    const std::int32_t start = k * spacing + offset;
    const std::int64_t type = vary.pick(k % 2 == 0 ? 1 : 2, 1, 3);
    const bool markers = vary.pick(k % 2, 0, 1) == 1;
    t << "montagna, " << start << ", " << start + length << ", " << type + (markers ? 10 : 0);
    t.end_line();
  }
  return tunnel_count;
}

void write_end(Text& t) {
  t.line("[fine]");
  t.line("");
}

void general_train_records(Text& t, std::int32_t length_m, Vary& vary) {
  t.line("Treno sintetico");
  t.line("");
  t.line("inizio_dati");
  t.line("[generale]");
  t.line("numero vetture, 6");
  t.line("percentuale massa frenata, 120");
  t.line("sabbia, 0");
  t.line("orologio, 8 0 0");
  t.line("[aderenze]");
  t.line("aderenza, 0, 100");
  // Varied: a change of adhesion or speed limit every 5 km, at any metre of its kilometre.
  constexpr std::int32_t kStretchEvery = 5000;
  if (vary.on()) {
    for (std::int32_t p : every(kStretchEvery, length_m)) {
      t << "aderenza, " << p + vary.pick(0, 0, 999) << ", " << vary.pick(100, 60, 100);
      t.end_line();
    }
  }
  t.line("[vel_limite]");
  t.line("velocita' limite , 0, 120");
  if (vary.on()) {
    for (std::int32_t p : every(kStretchEvery, length_m)) {
      t << "velocita' limite , " << p + vary.pick(0, 0, 999) << ", " << vary.step(120, 30, 250, 5);
      t.end_line();
    }
  }
}

// Varied: either kind of left side, aspects 0 to 6, a repeater flag, and a time that counts.
void write_signals(Text& t, const std::vector<std::int32_t>& positions, Vary& vary) {
  t.line("[segnali]");
  constexpr std::array<std::int64_t, 4> kTimes{0, 50, 190, 250};
  for (std::int32_t p : positions) {
    t << "segnale, " << p << ", " << vary.pick(2, 1, 2) << ", " << vary.pick(4, 0, 6) << ", "
      << vary.pick(0, 0, 6) << ", " << vary.pick(0, 0, 6) << ", " << vary.pick(0, 0, 1) << ", "
      << vary.pick(2, 0, 2) << ", " << vary.pick(1, 0, 3) << ", " << vary.pick(0, 0, 3) << ", "
      << vary.pick(0, 0, 3) << ", " << kTimes[static_cast<std::size_t>(vary.pick(0, 0, 3))];
    t.end_line();
  }
}

// Varied: speeds on both sides of 110 (below it, markers go inside the slowdown), the whole-train
// flag and a d_v.
void write_slowdowns(Text& t, const std::vector<std::int32_t>& positions, Vary& vary) {
  t.line("[rallentamenti]");
  for (std::int32_t x : positions) {
    t << "rallentamento, " << x << ", " << vary.step(slowdown_speed, 10, 150, 10) << ", "
      << slowdown_length << ", " << vary.pick(0, 0, 1) << ", 1, " << vary.pick(0, 0, 1) * 5;
    t.end_line();
  }
}

// Stopping stations, one every ten minutes from 8:00.
void write_stations(Text& t, const std::vector<std::int32_t>& positions, Vary& vary) {
  t.line("[stazioni]");
  for (std::size_t i = 0; i < positions.size(); ++i) {
    const auto minutes = static_cast<std::int64_t>(i) * 10;
    t << "stazione, " << positions[i] << ", " << station_type << ", " << station_length << ", "
      << vary.pick(0, 0, 1) << ", 0, 0, " << vary.pick(1, 0, 5) << ", " << vary.pick(1, 0, 5)
      << ", 0, 3, 1, 1, " << vary.pick(40, 0, 255) << ", " << 8 + minutes / 60 << ", "
      << minutes % 60 << ", 0, STAZIONE " << static_cast<std::int64_t>(i + 1);
    t.end_line();
  }
}

struct Placed {
  std::vector<std::int32_t> stations, slowdowns, signals, boards;
};

// Stations first, since their stop cell is written without looking; then the feature with the
// most cells, then the rest.
Placed place_point_features(std::int32_t length_m, int& shifted) {
  CellMap map(length_m);
  Placed p;
  p.stations = place(map, every(station_every, length_m, most_stations), station_cells, shifted);
  p.slowdowns = place(map, every(slowdown_every, length_m), slowdown_cells, shifted);
  p.signals = place(map, every(signal_every, length_m), signal_cells, shifted);
  p.boards = place(map, every(board_every, length_m), board_cells, shifted);
  return p;
}

}  // namespace

Scenario make_scenario(std::int32_t length_m, std::uint32_t seed) {
  if (length_m < shortest_route || length_m > longest_route || length_m % kCellMetres != 0) {
    throw std::invalid_argument("synthetic line length must be a multiple of 50 from " +
                                std::to_string(shortest_route) + " to " +
                                std::to_string(longest_route));
  }
  Scenario s;
  s.length_m = length_m;
  Vary vary(seed);
  const Placed placed = place_point_features(length_m, s.shifted);

  Text line;
  general_line_records(line, length_m);
  s.counts.gradients = write_gradients(line, length_m, vary);
  s.counts.curves = write_curves(line, length_m, vary);
  write_boards(line, placed.boards, vary);
  s.counts.tunnels = write_tunnels(line, length_m, vary);
  write_end(line);
  s.line_source = line.take();

  // Stations last, as the table is the one place that can run out of room.
  Text train;
  general_train_records(train, length_m, vary);
  write_signals(train, placed.signals, vary);
  write_slowdowns(train, placed.slowdowns, vary);
  write_stations(train, placed.stations, vary);
  write_end(train);
  s.train_source = train.take();

  s.counts.boards = static_cast<int>(placed.boards.size());
  s.counts.signals = static_cast<int>(placed.signals.size());
  s.counts.slowdowns = static_cast<int>(placed.slowdowns.size());
  s.counts.stations = static_cast<int>(placed.stations.size());
  return s;
}

}  // namespace synthetic
