#include "scenario_tool/scenario/cell_meaning.h"

#include "format/cell_values.h"

namespace scenario::tool {

namespace {

namespace kind = cell_kind;

Json signal_meaning(const TrackCell& c) {
  const SignalValues v = unpack_signal(c);
  Json left{{"sx", v.sx}, {"aspects", {v.s1, v.s2, v.s3}}, {"rapp", v.rapp}};
  Json right{{"dx", v.dx}, {"aspects", {v.d1, v.d2, v.d3}}};
  return Json{{"left", left}, {"right", right}, {"signal_time", c.signal_time}};
}

Json board_side_speeds(std::int32_t left, std::int32_t right) {
  return Json{{"left_kmh", left}, {"right_kmh", right}};
}

Json board_meaning(const TrackCell& c) {
  const BoardValues v = unpack_board(c);
  return Json{{"a", board_side_speeds(v.vas, v.vad)},
              {"b", board_side_speeds(v.vbs, v.vbd)},
              {"c", board_side_speeds(v.vcs, v.vcd)},
              {"stripes", {{"left", v.strisces}, {"right", v.strisced}}}};
}

Json slowdown_meaning(const TrackCell& c, bool with_f_tt) {
  Json j{{"speed_kmh", c.value1}, {"d_v", c.value2}};
  if (with_f_tt) j["f_tt"] = c.value3;
  return j;
}

// The name held by the table entry the cell refers to; null when there is no such entry.
Json entry_name(const TrackCell& c, const SimTable* table) {
  if (table == nullptr || c.value1 < 0 || c.value1 >= sim_table_size) return nullptr;
  return (*table)[static_cast<std::size_t>(c.value1)].name;
}

std::string board_text(const Json& m) {
  std::string text;
  for (const char* cat : {"a", "b", "c"}) {
    text += std::string(cat) + " " + m.at(cat).at("left_kmh").dump() + "/" +
            m.at(cat).at("right_kmh").dump() + " km/h, ";
  }
  return text + "stripes " + m.at("stripes").at("left").dump() + "/" +
         m.at("stripes").at("right").dump() + " (left/right)";
}

std::string aspects_text(const Json& aspects) {
  return aspects.at(0).dump() + " " + aspects.at(1).dump() + " " + aspects.at(2).dump();
}

std::string signal_text(const Json& m) {
  const Json& l = m.at("left");
  const Json& r = m.at("right");
  return "left sx " + l.at("sx").dump() + " aspects " + aspects_text(l.at("aspects")) + " rapp " +
         l.at("rapp").dump() + " | right dx " + r.at("dx").dump() + " aspects " +
         aspects_text(r.at("aspects")) + " | time " + m.at("signal_time").dump();
}

std::string named_entry_text(const char* what, const Json& m, const char* key) {
  const std::string name = m.at(key).is_null() ? "(no such entry)" : m.at(key).get<std::string>();
  return std::string(what) + " entry " + m.at("entry").dump() + ": " + name;
}

std::string slowdown_text(const Json& m) {
  std::string text = "speed " + m.at("speed_kmh").dump() + " km/h, d_v " + m.at("d_v").dump();
  if (m.contains("f_tt")) text += ", f_tt " + m.at("f_tt").dump();
  return text;
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

Json cell_meaning(const TrackCell& c, const SimTable* table) {
  switch (c.kind) {
    case kind::signal:
      return signal_meaning(c);
    case kind::slowdown_end:
    case kind::slowdown_start:
      return slowdown_meaning(c, true);
    case kind::slowdown_warning:
      return slowdown_meaning(c, false);
    case kind::slowdown_announce:
      return Json{{"order", c.value1}, {"d_v_order", c.value2}};
    case kind::speed_board:
      return board_meaning(c);
    case kind::station_stop:
      return Json{{"entry", c.value1}, {"station", entry_name(c, table)}};
    case kind::signboard:
      return Json{{"entry", c.value1}, {"text", entry_name(c, table)}};
    case kind::code_cut:
      return Json{{"code", c.value1}};
    default:
      break;
  }
  return Json::object();
}

std::string meaning_text(std::uint8_t k, const Json& m) {
  switch (k) {
    case kind::signal:
      return signal_text(m);
    case kind::slowdown_end:
    case kind::slowdown_start:
    case kind::slowdown_warning:
      return slowdown_text(m);
    case kind::slowdown_announce:
      return "order " + m.at("order").dump() + ", d_v order " + m.at("d_v_order").dump();
    case kind::speed_board:
      return board_text(m);
    case kind::station_stop:
      return named_entry_text("station", m, "station");
    case kind::signboard:
      return named_entry_text("sign", m, "text");
    case kind::code_cut:
      return "code " + m.at("code").dump();
    case kind::code_cut_zero:
      return "code below 1";
    default:
      break;
  }
  return "";
}

}  // namespace scenario::tool
