#include "scenario_tool/scenario/cell_meaning.h"

namespace scenario::tool {

namespace {

namespace kind = cell_kind;

template <class... F>
struct Visitor : F... {
  using F::operator()...;
};

// The name held by the table entry the cell refers to; none when there is no such entry.
std::optional<std::string> entry_name(const TrackCell& c, const SimTable* table) {
  if (table == nullptr || c.value1 < 0 || c.value1 >= sim_table_size) return std::nullopt;
  return (*table)[static_cast<std::size_t>(c.value1)].name;
}

SlowdownMeaning slowdown(const TrackCell& c, bool with_f_tt) {
  SlowdownMeaning m{c.value1, c.value2, std::nullopt};
  if (with_f_tt) m.f_tt = c.value3;
  return m;
}

Json signal_json(const SignalMeaning& m) {
  const SignalValues& v = m.values;
  Json left{{"sx", v.sx}, {"aspects", {v.s1, v.s2, v.s3}}, {"rapp", v.rapp}};
  Json right{{"dx", v.dx}, {"aspects", {v.d1, v.d2, v.d3}}};
  return Json{{"left", left}, {"right", right}, {"signal_time", m.time_s}};
}

Json board_side_speeds(std::int32_t left, std::int32_t right) {
  return Json{{"left_kmh", left}, {"right_kmh", right}};
}

Json board_json(const BoardValues& v) {
  return Json{{"a", board_side_speeds(v.vas, v.vad)},
              {"b", board_side_speeds(v.vbs, v.vbd)},
              {"c", board_side_speeds(v.vcs, v.vcd)},
              {"stripes", {{"left", v.strisces}, {"right", v.strisced}}}};
}

Json slowdown_json(const SlowdownMeaning& m) {
  Json j{{"speed_kmh", m.speed_kmh}, {"d_v", m.d_v}};
  if (m.f_tt) j["f_tt"] = *m.f_tt;
  return j;
}

Json name_json(const std::optional<std::string>& name) { return name ? Json(*name) : Json(); }

std::string n(std::int64_t v) { return std::to_string(v); }

std::string board_text(const BoardValues& v) {
  const std::int32_t speeds[3][2] = {{v.vas, v.vad}, {v.vbs, v.vbd}, {v.vcs, v.vcd}};
  std::string text;
  const char* cats[3] = {"a", "b", "c"};
  for (int i = 0; i < 3; ++i) {
    text += std::string(cats[i]) + " " + n(speeds[i][0]) + "/" + n(speeds[i][1]) + " km/h, ";
  }
  return text + "stripes " + n(v.strisces) + "/" + n(v.strisced) + " (left/right)";
}

std::string signal_text(const SignalMeaning& m) {
  const SignalValues& v = m.values;
  return "left sx " + n(v.sx) + " aspects " + n(v.s1) + " " + n(v.s2) + " " + n(v.s3) + " rapp " +
         n(v.rapp) + " | right dx " + n(v.dx) + " aspects " + n(v.d1) + " " + n(v.d2) + " " +
         n(v.d3) + " | time " + n(m.time_s);
}

std::string slowdown_text(const SlowdownMeaning& m) {
  std::string text = "speed " + n(m.speed_kmh) + " km/h, d_v " + n(m.d_v);
  if (m.f_tt) text += ", f_tt " + n(*m.f_tt);
  return text;
}

std::string entry_text(std::uint8_t k, const EntryMeaning& m) {
  const char* what = k == kind::station_stop ? "station" : "sign";
  return std::string(what) + " entry " + n(m.entry) + ": " + m.name.value_or("(no such entry)");
}

}  // namespace

std::string kind_name(std::uint8_t k) {
  switch (k) {
    case kind::free:
      return "free";
    case kind::signal:
      return "signal";
    case kind::slowdown_end:
      return "slowdown_end";
    case kind::slowdown_start:
      return "slowdown_start";
    case kind::slowdown_warning:
      return "slowdown_warning";
    case kind::slowdown_announce:
      return "slowdown_announce";
    case kind::speed_board:
      return "speed_board";
    case kind::station_stop:
      return "station_stop";
    case kind::tunnel_marker:
      return "tunnel_marker";
    case kind::code_cut:
      return "code_cut";
    case kind::code_cut_zero:
      return "code_cut_zero";
    case kind::signboard:
      return "signboard";
    default:
      break;
  }
  return "unknown_" + std::to_string(k);
}

CellMeaning meaning_of(const TrackCell& c, const SimTable* table) {
  switch (c.kind) {
    case kind::signal:
      return SignalMeaning{unpack_signal(c), c.signal_time};
    case kind::slowdown_end:
    case kind::slowdown_start:
      return slowdown(c, true);
    case kind::slowdown_warning:
      return slowdown(c, false);
    case kind::slowdown_announce:
      return AnnounceMeaning{c.value1, c.value2};
    case kind::speed_board:
      return unpack_board(c);
    case kind::station_stop:
    case kind::signboard:
      return EntryMeaning{c.value1, entry_name(c, table)};
    case kind::code_cut:
      return CodeCutMeaning{c.value1};
    default:
      break;
  }
  return std::monostate{};
}

Json meaning_json(std::uint8_t k, const CellMeaning& meaning) {
  // The key of an entry's name says what it names: the kind tells which.
  const char* name_key = k == kind::station_stop ? "station" : "text";
  return std::visit(Visitor{[](std::monostate) { return Json::object(); },
                            [](const SignalMeaning& m) { return signal_json(m); },
                            [](const BoardValues& v) { return board_json(v); },
                            [](const SlowdownMeaning& m) { return slowdown_json(m); },
                            [](const AnnounceMeaning& m) {
                              return Json{{"order", m.order}, {"d_v_order", m.d_v_order}};
                            },
                            [name_key](const EntryMeaning& m) {
                              return Json{{"entry", m.entry}, {name_key, name_json(m.name)}};
                            },
                            [](const CodeCutMeaning& m) {
                              return Json{{"code", m.code}};
                            }},
                    meaning);
}

std::string meaning_text(std::uint8_t k, const CellMeaning& meaning) {
  if (k == kind::code_cut_zero) return "code below 1";
  return std::visit(Visitor{[](std::monostate) { return std::string(); },
                            [](const SignalMeaning& m) { return signal_text(m); },
                            [](const BoardValues& v) { return board_text(v); },
                            [](const SlowdownMeaning& m) { return slowdown_text(m); },
                            [](const AnnounceMeaning& m) {
                              return "order " + n(m.order) + ", d_v order " + n(m.d_v_order);
                            },
                            [k](const EntryMeaning& m) { return entry_text(k, m); },
                            [](const CodeCutMeaning& m) { return "code " + n(m.code); }},
                    meaning);
}

}  // namespace scenario::tool
