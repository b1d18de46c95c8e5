#include "scenario_tool/lsp/symbols.h"

#include <optional>
#include <string>

#include "scenario_tool/lsp/record_line.h"
#include "scenario_tool/scenario/position_text.h"

namespace scenario::tool::lsp {

namespace {

// The protocol's SymbolKind numbers.
enum SymbolKind { kNamespace = 3, kStruct = 23, kEvent = 24, kNumber = 16, kObject = 19 };

// The records the outline names: a station, a signal, a slowdown, and the line's features.
std::optional<int> listed_kind(std::string_view name) {
  if (name == "stazione") return kStruct;
  if (name == "segnale") return kEvent;
  if (name == "rallentamento") return kNumber;
  if (name == "curva" || name == "montagna" || name == "indicatori_vmax" ||
      name == "cartello indicatore") {
    return kObject;
  }
  return std::nullopt;
}

Json range_of(int first, int last, std::string_view last_line, Columns columns) {
  return Json{
      {"start", {{"line", first}, {"character", 0}}},
      {"end", {{"line", last}, {"character", column_of(last_line, last_line.size(), columns)}}}};
}

// "stazione Lusa" for a station, the keyword as written for the others.
std::string symbol_name(const RecordLine& r, std::string_view line) {
  std::string name(line.substr(r.keyword.begin, r.keyword.end - r.keyword.begin));
  for (std::size_t i = 0; i < r.values.size(); ++i) {
    if (r.kind->fields[i].type != ValueType::text) continue;
    const std::string_view text = r.value_text(line, i);
    if (!text.empty()) return name + " " + std::string(text);
  }
  return name;
}

Json record_symbol(const RecordLine& r, std::string_view line, int index, int kind,
                   Columns columns) {
  std::string detail;
  if (!r.values.empty() && r.kind->fields[0].unit == "m") {
    if (const auto metres = number_in(r.value_text(line, 0))) detail = km_position(*metres);
  }
  return Json{{"name", symbol_name(r, line)},
              {"detail", detail},
              {"kind", kind},
              {"range", range_of(index, index, line, columns)},
              {"selectionRange", range_of(index, index, line, columns)}};
}

}  // namespace

Json document_symbols(SourceKind source, std::string_view text, Columns columns) {
  Json top = Json::array();
  std::optional<Json> section;
  int last_line = 0;
  const auto close_section = [&](int end_line) {
    if (!section) return;
    (*section)["range"] = range_of((*section)["range"]["start"]["line"].get<int>(), end_line,
                                   line_of(text, end_line), columns);
    top.push_back(std::move(*section));
    section.reset();
  };
  int index = 0;
  for (std::size_t at = 0; at <= text.size(); ++index) {
    const std::string_view line = line_of(text.substr(at), 0);
    const std::size_t next = at + line.size();
    if (const auto header = section_header(line)) {
      close_section(std::max(index - 1, 0));
      section = Json{{"name", *header},
                     {"kind", kNamespace},
                     {"range", range_of(index, index, line, columns)},
                     {"selectionRange", range_of(index, index, line, columns)},
                     {"children", Json::array()}};
    } else if (const auto record = read_record_line(source, line)) {
      if (const auto kind = listed_kind(record->kind->name)) {
        Json symbol = record_symbol(*record, line, index, *kind, columns);
        (section ? (*section)["children"] : top).push_back(std::move(symbol));
      }
    }
    last_line = index;
    if (next >= text.size()) break;
    at = next + (text.compare(next, 2, "\r\n") == 0 ? 2 : 1);
  }
  close_section(last_line);
  return top;
}

}  // namespace scenario::tool::lsp
