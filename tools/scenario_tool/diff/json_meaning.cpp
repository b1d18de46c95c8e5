#include "scenario_tool/diff/json_meaning.h"

#include "format/constants.h"

namespace scenario::tool {

namespace {

namespace kind = cell_kind;

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

std::string json_meaning_text(std::uint8_t k, const Json& m) {
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
