#include "scenario_tool/plot/feature_words.h"

#include "compiler/record_kinds.h"
#include "format/constants.h"
#include "scenario_tool/plot/svg.h"
#include "scenario_tool/scenario/cell_meaning.h"
#include "scenario_tool/scenario/track_views.h"

namespace scenario::tool {

namespace {

namespace kind = cell_kind;

const FieldSpec* field_of(std::string_view record, std::string_view field) {
  const RecordKind* r = find_record_kind(record);
  if (r == nullptr) return nullptr;
  for (const FieldSpec& f : r->fields) {
    if (f.name == field) return &f;
  }
  return nullptr;
}

std::string value_text(const Json& v) {
  if (v.is_null()) return "(none)";
  if (v.is_string()) return v.get<std::string>();
  return v.dump();
}

// "left-hand aspect value 1 — 4"; the reference's meaning of the field, its value and unit.
std::string field_line(std::string_view record, std::string_view field, const Json& value) {
  const FieldSpec* f = field_of(record, field);
  if (f == nullptr) return std::string(field) + " \u2014 " + value_text(value);
  std::string line = std::string(f->meaning) + " \u2014 " + value_text(value);
  if (!f->unit.empty() && !value.is_null()) line += " " + std::string(f->unit);
  return line;
}

std::string record_meaning(std::string_view record) {
  const RecordKind* r = find_record_kind(record);
  return r == nullptr ? std::string(record) : std::string(r->meaning);
}

std::vector<std::string> signal_lines(const Json& m) {
  const Json& l = m.at("left");
  const Json& r = m.at("right");
  std::vector<std::string> out{record_meaning("segnale")};
  out.push_back(field_line("segnale", "sx", l.at("sx")));
  for (int i = 0; i < 3; ++i) {
    out.push_back(field_line("segnale", "s" + std::to_string(i + 1), l.at("aspects").at(i)));
  }
  out.push_back(field_line("segnale", "rapp", l.at("rapp")));
  out.push_back(field_line("segnale", "dx", r.at("dx")));
  for (int i = 0; i < 3; ++i) {
    out.push_back(field_line("segnale", "d" + std::to_string(i + 1), r.at("aspects").at(i)));
  }
  out.push_back(field_line("segnale", "tempo", m.at("signal_time")));
  return out;
}

std::vector<std::string> board_lines(const Json& m) {
  std::vector<std::string> out{record_meaning("indicatori_vmax")};
  for (const char* cat : {"a", "b", "c"}) {
    out.push_back(
        field_line("indicatori_vmax", std::string("v") + cat + "s", m.at(cat).at("left_kmh")));
    out.push_back(
        field_line("indicatori_vmax", std::string("v") + cat + "d", m.at(cat).at("right_kmh")));
  }
  out.push_back(field_line("indicatori_vmax", "strisces", m.at("stripes").at("left")));
  out.push_back(field_line("indicatori_vmax", "strisced", m.at("stripes").at("right")));
  return out;
}

std::vector<std::string> slowdown_lines(std::uint8_t k, const Json& m) {
  const char* part = k == kind::slowdown_start ? "the start of the slowdown"
                     : k == kind::slowdown_end ? "the end of the slowdown"
                                               : "the warning, 1200 m before the start";
  std::vector<std::string> out{record_meaning("rallentamento") + "; here " + part};
  out.push_back(field_line("rallentamento", "v", m.at("speed_kmh")));
  if (m.contains("f_tt")) out.push_back(field_line("rallentamento", "f_tt", m.at("f_tt")));
  out.push_back(field_line("rallentamento", "d_v", m.at("d_v")));
  return out;
}

std::vector<std::string> announce_lines(const Json& m) {
  return {record_meaning("rallentamento") +
              "; here one of the four announce cells before the "
              "warning",
          "order, 1 nearest to the warning, 4 farthest \u2014 " + value_text(m.at("order")),
          "the order again when d_v is not 0, else 0 \u2014 " + value_text(m.at("d_v_order"))};
}

}  // namespace

std::string distance_km_text(std::int64_t metres) {
  return svg_number(static_cast<double>(metres) / 1000) + " km";
}

std::string feature_heading(std::uint8_t k, std::size_t cell) {
  std::string name = kind_name(k);
  for (char& c : name) {
    if (c == '_') c = ' ';
  }
  return name + " at " + distance_km_text(cell_start_m(static_cast<std::int64_t>(cell))) +
         " (cell " + std::to_string(cell) + ")";
}

std::vector<std::string> feature_lines(std::uint8_t k, const Json& m) {
  switch (k) {
    case kind::signal:
      return signal_lines(m);
    case kind::speed_board:
      return board_lines(m);
    case kind::slowdown_start:
    case kind::slowdown_end:
    case kind::slowdown_warning:
      return slowdown_lines(k, m);
    case kind::slowdown_announce:
      return announce_lines(m);
    case kind::station_stop:
      return {"the stop of " + record_meaning("stazione"),
              "station entry of the table \u2014 " + value_text(m.at("entry")),
              field_line("stazione", "nome", m.at("station"))};
    case kind::signboard:
      return {record_meaning("cartello indicatore"),
              "sign entry of the table \u2014 " + value_text(m.at("entry")),
              field_line("cartello indicatore", "text", m.at("text"))};
    case kind::code_cut:
      return {record_meaning("abbattimento codice"),
              field_line("abbattimento codice", "code", m.at("code"))};
    case kind::code_cut_zero:
      return {record_meaning("abbattimento codice"), "a code below 1"};
    case kind::tunnel_marker:
      return {"a tunnel marker: its tunnel's type, 10 more, asks for one in every 4th free cell"};
    default:
      break;
  }
  return {"a kind of cell the format does not define"};
}

std::string feature_words(std::uint8_t k, std::size_t cell, const Json& meaning) {
  std::string text = feature_heading(k, cell);
  for (const std::string& line : feature_lines(k, meaning)) text += "\n" + line;
  return text;
}

}  // namespace scenario::tool
