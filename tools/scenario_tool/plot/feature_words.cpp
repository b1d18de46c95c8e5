#include "scenario_tool/plot/feature_words.h"

#include <optional>
#include <variant>

#include "compiler/record_kinds.h"
#include "format/constants.h"
#include "scenario_tool/plot/svg.h"
#include "scenario_tool/scenario/cell_meaning.h"
#include "scenario_tool/scenario/position_text.h"
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

using Value = std::optional<std::string>;

Value num(std::int64_t v) { return std::to_string(v); }

std::string value_text(const Value& v) { return v.value_or("(none)"); }

// "left-hand aspect value 1 — 4"; the reference's meaning of the field, its value and unit.
std::string field_line(std::string_view record, std::string_view field, const Value& value) {
  const FieldSpec* f = field_of(record, field);
  if (f == nullptr) return std::string(field) + " \u2014 " + value_text(value);
  std::string line = std::string(f->meaning) + " \u2014 " + value_text(value);
  if (!f->unit.empty() && value) line += " " + std::string(f->unit);
  return line;
}

std::string record_meaning(std::string_view record) {
  const RecordKind* r = find_record_kind(record);
  return r == nullptr ? std::string(record) : std::string(r->meaning);
}

std::vector<std::string> signal_lines(const SignalMeaning& m) {
  const SignalValues& v = m.values;
  std::vector<std::string> out{record_meaning("segnale")};
  out.push_back(field_line("segnale", "sx", num(v.sx)));
  const std::int32_t left[3] = {v.s1, v.s2, v.s3};
  for (int i = 0; i < 3; ++i)
    out.push_back(field_line("segnale", "s" + std::to_string(i + 1), num(left[i])));
  out.push_back(field_line("segnale", "rapp", num(v.rapp)));
  out.push_back(field_line("segnale", "dx", num(v.dx)));
  const std::int32_t right[3] = {v.d1, v.d2, v.d3};
  for (int i = 0; i < 3; ++i)
    out.push_back(field_line("segnale", "d" + std::to_string(i + 1), num(right[i])));
  out.push_back(field_line("segnale", "tempo", num(m.time_s)));
  return out;
}

std::vector<std::string> board_lines(const BoardValues& v) {
  std::vector<std::string> out{record_meaning("indicatori_vmax")};
  const std::int32_t speeds[3][2] = {{v.vas, v.vad}, {v.vbs, v.vbd}, {v.vcs, v.vcd}};
  const char* cats[3] = {"a", "b", "c"};
  for (int i = 0; i < 3; ++i) {
    out.push_back(
        field_line("indicatori_vmax", std::string("v") + cats[i] + "s", num(speeds[i][0])));
    out.push_back(
        field_line("indicatori_vmax", std::string("v") + cats[i] + "d", num(speeds[i][1])));
  }
  out.push_back(field_line("indicatori_vmax", "strisces", num(v.strisces)));
  out.push_back(field_line("indicatori_vmax", "strisced", num(v.strisced)));
  return out;
}

std::vector<std::string> slowdown_lines(std::uint8_t k, const SlowdownMeaning& m) {
  const char* part = k == kind::slowdown_start ? "the start of the slowdown"
                     : k == kind::slowdown_end ? "the end of the slowdown"
                                               : "the warning, 1200 m before the start";
  std::vector<std::string> out{record_meaning("rallentamento") + "; here " + part};
  out.push_back(field_line("rallentamento", "v", num(m.speed_kmh)));
  if (m.f_tt) out.push_back(field_line("rallentamento", "f_tt", num(*m.f_tt)));
  out.push_back(field_line("rallentamento", "d_v", num(m.d_v)));
  return out;
}

std::vector<std::string> announce_lines(const AnnounceMeaning& m) {
  return {record_meaning("rallentamento") +
              "; here one of the four announce cells before the "
              "warning",
          "order, 1 nearest to the warning, 4 farthest \u2014 " + value_text(num(m.order)),
          "the order again when d_v is not 0, else 0 \u2014 " + value_text(num(m.d_v_order))};
}

std::vector<std::string> entry_lines(std::uint8_t k, const EntryMeaning& m) {
  if (k == kind::station_stop) {
    return {"the stop of " + record_meaning("stazione"),
            "station entry of the table \u2014 " + value_text(num(m.entry)),
            field_line("stazione", "nome", m.name)};
  }
  return {record_meaning("cartello indicatore"),
          "sign entry of the table \u2014 " + value_text(num(m.entry)),
          field_line("cartello indicatore", "text", m.name)};
}

std::vector<std::string> lines_without_values(std::uint8_t k) {
  switch (k) {
    case kind::code_cut_zero:
      return {record_meaning("abbattimento codice"), "a code below 1"};
    case kind::tunnel_marker:
      return {"a tunnel marker: its tunnel's type, 10 more, asks for one in every 4th free cell"};
    default:
      break;
  }
  return {"a kind of cell the format does not define"};
}

template <class... F>
struct Visitor : F... {
  using F::operator()...;
};

}  // namespace

std::string feature_heading(std::uint8_t k, std::size_t cell) {
  std::string name = kind_name(k);
  for (char& c : name) {
    if (c == '_') c = ' ';
  }
  return name + " at " + km_position(cell_start_m(static_cast<std::int64_t>(cell))) + " (cell " +
         std::to_string(cell) + ")";
}

std::vector<std::string> feature_lines(std::uint8_t k, const CellMeaning& meaning) {
  using Lines = std::vector<std::string>;
  return std::visit(Visitor{[k](std::monostate) { return lines_without_values(k); },
                            [](const SignalMeaning& m) { return signal_lines(m); },
                            [](const BoardValues& v) { return board_lines(v); },
                            [k](const SlowdownMeaning& m) { return slowdown_lines(k, m); },
                            [](const AnnounceMeaning& m) { return announce_lines(m); },
                            [k](const EntryMeaning& m) { return entry_lines(k, m); },
                            [](const CodeCutMeaning& m) -> Lines {
                              return {record_meaning("abbattimento codice"),
                                      field_line("abbattimento codice", "code", num(m.code))};
                            }},
                    meaning);
}

std::string feature_words(std::uint8_t k, std::size_t cell, const CellMeaning& meaning) {
  std::string text = feature_heading(k, cell);
  for (const std::string& line : feature_lines(k, meaning)) text += "\n" + line;
  return text;
}

}  // namespace scenario::tool
