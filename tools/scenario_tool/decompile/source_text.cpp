#include "scenario_tool/decompile/source_text.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "scenario_tool/decompile/text_layout.h"

namespace scenario::tool {

namespace {

using Lines = std::vector<std::string>;

constexpr std::int64_t kKmMarkEvery = 10000;

std::string num(std::int64_t v) { return std::to_string(v); }

std::string padded(std::int64_t v, std::size_t width) {
  std::string s = num(v);
  if (s.size() < width) s.insert(0, width - s.size(), ' ');
  return s;
}

std::string km(std::int64_t metres) {
  const std::string m = padded(metres % 1000, 3);
  std::string frac = m;
  std::replace(frac.begin(), frac.end(), ' ', '0');
  return "km " + num(metres / 1000) + "." + frac;
}

// The title names the line by its first and last station; brackets would end the search for
// "[generale]" early.
std::string route_title(const RecoveredScenario& s) {
  std::string title = s.stations.empty() ? s.names.route_id
                                         : s.stations.front().name + " " + s.stations.back().name;
  std::erase_if(title, [](char c) { return c == '[' || c == ']' || c == '\r' || c == '\n'; });
  return source_text_bytes(title);
}

// A comment before the records that follow each station (or each 10 km on a line without one).
std::vector<BlockMark> block_marks(const RecoveredScenario& s) {
  std::vector<BlockMark> marks;
  for (const StationRecord& st : s.stations) {
    std::string comment = comment_line(st.name);
    if (comment.empty()) comment = "- " + km(st.position);
    marks.push_back({st.position, comment});
  }
  if (marks.empty()) {
    for (std::int64_t p = kKmMarkEvery; p <= s.route_length; p += kKmMarkEvery) {
      marks.push_back({p, "- " + km(p)});
    }
  }
  std::stable_sort(marks.begin(), marks.end(),
                   [](const BlockMark& a, const BlockMark& b) { return a.position < b.position; });
  return marks;
}

void general_line_section(const RecoveredScenario& s, Lines& lines) {
  lines.push_back("[generale]");
  lines.push_back("lunghezza percorso, " + padded(s.route_length, 8));
  static constexpr const char* kKmNames[3] = {"uno", "due", "tre"};
  for (std::size_t i = 0; i < 3; ++i) {
    const KmPoint& k = s.km_points[i];
    lines.push_back(std::string("progressiva chilometrica ") + kKmNames[i] + ", " + padded(k.a, 6) +
                    ", " + padded(k.b, 6) + ", " + padded(k.c, 6));
  }
  lines.push_back("sfondo uno, " + padded(s.background_one, 4));
  lines.push_back("sfondo due, " + padded(s.background_two, 4));
  lines.push_back("sfondo tre, " + padded(s.background_three, 4));
  lines.push_back("ripetizione segnali " + num(s.repeat_codes) + " codici, " +
                  padded(s.repeat_start, 8) + ", " + padded(s.repeat_end, 8));
}

// A section: its header lines, then the records `add` makes of the items, in the order of their
// positions with the block marks among them.
template <typename Item, typename Add>
void record_section(std::initializer_list<const char*> header, const std::vector<Item>& items,
                    const std::vector<BlockMark>& marks, Lines& lines, Add add) {
  lines.insert(lines.end(), header.begin(), header.end());
  RecordTable table;
  for (const Item& item : items) add(table, item);
  table.write(lines, marks);
}

void stretch_section(const char* header, const char* keyword,
                     const std::vector<StretchRecord>& records, const std::vector<BlockMark>& marks,
                     Lines& lines) {
  record_section({header}, records, marks, lines, [&](RecordTable& table, const StretchRecord& r) {
    table.add(r.position, keyword, {num(r.position), num(r.value)});
  });
}

void curve_section(const RecoveredScenario& s, const std::vector<BlockMark>& marks, Lines& lines) {
  record_section({"[curve]", ""}, s.curves, marks, lines,
                 [](RecordTable& table, const CurveRecord& c) {
                   const std::string keyword = std::string("curva") + (c.side > 0 ? "d" : "s") +
                                               static_cast<char>('0' + c.curve_class);
                   table.add(c.position, keyword, {num(c.position), num(c.length)});
                 });
}

void board_section(const RecoveredScenario& s, const std::vector<BlockMark>& marks, Lines& lines) {
  record_section({"[cartelli]", ""}, s.boards, marks, lines,
                 [](RecordTable& table, const BoardRecord& b) {
                   const BoardValues& v = b.values;
                   table.add(b.position, "indicatori_vmax",
                             {num(b.position), num(v.vas), num(v.vbs), num(v.vcs), num(v.strisces),
                              num(v.vad), num(v.vbd), num(v.vcd), num(v.strisced)});
                 });
  lines.push_back("");
}

void tunnel_section(const RecoveredScenario& s, const std::vector<BlockMark>& marks, Lines& lines) {
  lines.push_back("[montagne]");
  RecordTable table;
  for (std::size_t i = 0; i < s.tunnels.size(); ++i) {
    const TunnelRecord& t = s.tunnels[i];
    // A spacer goes with the tunnel it comes before.
    const std::int64_t at =
        t.spacer && i + 1 < s.tunnels.size() ? s.tunnels[i + 1].inizio : t.inizio;
    table.add(at, "montagna", {num(t.inizio), num(t.fine), num(t.tipo)});
  }
  table.write(lines, marks);
}

void sign_section(const RecoveredScenario& s, const std::vector<BlockMark>& marks, Lines& lines) {
  record_section({"[indicazioni]", ""}, s.signs, marks, lines,
                 [](RecordTable& table, const SignRecord& sign) {
                   table.add(sign.position, "cartello indicatore",
                             {num(sign.position), source_text_bytes(sign.text)}, true);
                 });
}

void general_train_section(const RecoveredScenario& s, Lines& lines) {
  lines.push_back("[generale]");
  lines.push_back("numero vetture, " + padded(s.coaches, 6));
  lines.push_back("percentuale massa frenata, " + padded(s.braked_mass, 6));
  lines.push_back("sabbia, " + padded(s.sand, 6));
  // The clock's three numbers are separated by spaces, not commas.
  lines.push_back("orologio, " + padded(s.clock[0], 6) + " " + padded(s.clock[1], 6) + " " +
                  padded(s.clock[2], 6));
}

void station_section(const RecoveredScenario& s, Lines& lines) {
  lines.push_back("[stazioni]");
  lines.push_back("-           pos. tipo lung. t  t  m    d d r   d d d   a   o  o  o   nome");
  lines.push_back("-                           p  a  a    2 3 a   1 2 3   c   r  r  r");
  lines.push_back("-                           s  b  r        p               o  m  s");
  RecordTable table;
  for (const StationRecord& st : s.stations) {
    table.add(
        st.position, "stazione",
        {num(st.position), num(st.tipo), num(st.length), num(st.tps), num(st.tab), num(st.mar),
         num(st.d2a), num(st.d3a), num(st.rap), num(st.d1b), num(st.d2b), num(st.d3b), num(st.ac),
         num(st.hours), num(st.minutes), num(st.seconds), source_text_bytes(st.name)},
        true);
  }
  table.write(lines, {});
  lines.push_back("");
}

void slowdown_section(const RecoveredScenario& s, const std::vector<BlockMark>& marks,
                      Lines& lines) {
  record_section({"[rallentamenti]"}, s.slowdowns, marks, lines,
                 [](RecordTable& table, const SlowdownRecord& r) {
                   table.add(r.x, "rallentamento",
                             {num(r.x), num(r.v), num(r.l), num(r.f_tt), num(r.f_ta), num(r.d_v)});
                 });
}

// `before_stations` picks the signals read ahead of the stations, or the others.
void signal_section(const RecoveredScenario& s, const std::vector<BlockMark>& marks,
                    bool before_stations, Lines& lines) {
  const bool any = std::any_of(s.signals.begin(), s.signals.end(), [&](const SignalRecord& r) {
    return r.before_stations == before_stations;
  });
  if (before_stations && !any) return;
  lines.push_back("[segnali]");
  lines.push_back("");
  if (before_stations) lines.push_back("- read first: the stations below replace approach codes");
  lines.push_back("-                1                     destra");
  lines.push_back("-                a  d1 d2 d3 ra       d1 d2 d3 ac");
  lines.push_back("-                v");
  RecordTable table;
  for (const SignalRecord& r : s.signals) {
    if (r.before_stations != before_stations) continue;
    const SignalValues& v = r.values;
    table.add(r.position, "segnale",
              {num(r.position), num(v.sx), num(v.s1), num(v.s2), num(v.s3), num(v.rapp), num(v.dx),
               num(v.d1), num(v.d2), num(v.d3), num(r.tempo)});
  }
  table.write(lines, marks);
}

void code_cut_section(const RecoveredScenario& s, const std::vector<BlockMark>& marks,
                      Lines& lines) {
  record_section({"[codici]"}, s.code_cuts, marks, lines,
                 [](RecordTable& table, const CodeCutRecord& c) {
                   table.add(c.position, "abbattimento codice", {num(c.position), num(c.value)});
                 });
  lines.push_back("");
}

}  // namespace

std::string train_source_text(const RecoveredScenario& s) {
  const std::vector<BlockMark> marks = block_marks(s);
  Lines lines{"Treno " + source_text_bytes(s.names.train_number) + " percorso " + route_title(s),
              "", "inizio_dati"};
  general_train_section(s, lines);
  stretch_section("[aderenze]", "aderenza", s.adhesion, marks, lines);
  stretch_section("[vel_limite]", "velocita' limite ", s.speeds, marks, lines);
  lines.push_back("");
  signal_section(s, marks, true, lines);
  station_section(s, lines);
  slowdown_section(s, marks, lines);
  signal_section(s, marks, false, lines);
  code_cut_section(s, marks, lines);
  lines.push_back("[fine]");
  lines.push_back("");
  return join_lines(lines);
}

std::string line_source_text(const RecoveredScenario& s) {
  const std::vector<BlockMark> marks = block_marks(s);
  Lines lines{"Percorso " + route_title(s), "", "", "inizio_dati"};
  general_line_section(s, lines);
  stretch_section("[pendenze]", "pendenza", s.gradients, marks, lines);
  curve_section(s, marks, lines);
  board_section(s, marks, lines);
  tunnel_section(s, marks, lines);
  sign_section(s, marks, lines);
  lines.push_back("[fine]");
  return join_lines(lines);
}

}  // namespace scenario::tool
