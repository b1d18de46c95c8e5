#include "scenario_tool/decompile/first_difference.h"

#include <array>
#include <cstdint>
#include <optional>
#include <sstream>
#include <vector>

#include "format/decode.h"
#include "scenario_tool/scenario/position_text.h"

namespace scenario::tool {

namespace {

struct NamedValue {
  const char* name;
  std::string value;
};

std::string stored_versus(const std::string& given, const std::string& rebuilt) {
  return ": the file holds " + given + ", its sources give " + rebuilt;
}

std::vector<NamedValue> cell_fields(const TrackCell& c) {
  return {{"kind", std::to_string(c.kind)},
          {"value1", std::to_string(c.value1)},
          {"value2", std::to_string(c.value2)},
          {"value3", std::to_string(c.value3)},
          {"value4", std::to_string(c.value4)},
          {"signal_time", std::to_string(c.signal_time)},
          {"approach_code", std::to_string(c.approach_code)},
          {"tunnel_type", std::to_string(c.tunnel_type)},
          {"speed_div5", std::to_string(c.speed_div5)},
          {"gradient_100", std::to_string(c.gradient_100)},
          {"adhesion", std::to_string(c.adhesion)}};
}

std::vector<NamedValue> entry_fields(const SimRecord& r) {
  return {{"kind", std::to_string(r.kind)},   {"start_m", std::to_string(r.start_m)},
          {"end_m", std::to_string(r.end_m)}, {"pos_m", std::to_string(r.pos_m)},
          {"tps", std::to_string(r.tps)},     {"name", "\"" + r.name + "\""},
          {"d2a", std::to_string(r.d2a)},     {"d3a", std::to_string(r.d3a)},
          {"d1b", std::to_string(r.d1b)},     {"d2b", std::to_string(r.d2b)},
          {"d3b", std::to_string(r.d3b)},     {"rap", std::to_string(r.rap)},
          {"ac", std::to_string(r.ac)},       {"mar", std::to_string(r.mar)},
          {"tab", std::to_string(r.tab)},     {"time_s", std::to_string(r.time_s)}};
}

// The first field that differs between two records, as "FIELD: the file holds ...".
std::string field_difference(const std::vector<NamedValue>& a, const std::vector<NamedValue>& b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].value != b[i].value)
      return std::string(a[i].name) + stored_versus(a[i].value, b[i].value);
  }
  return "the bytes differ";
}

std::string line_value(const LineValue& v) {
  switch (v.tag()) {
    case LineValue::Tag::empty:
      return "no value";
    case LineValue::Tag::integer:
      return "the integer " + std::to_string(static_cast<int>(v.number()));
    case LineValue::Tag::real:
      break;
  }
  std::ostringstream s;
  s.precision(17);
  s << v.number();
  return s.str();
}

// The first index at which two lists of the same length differ.
template <typename List>
std::optional<std::size_t> first_unequal(const List& a, const List& b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!(a[i] == b[i])) return i;
  }
  return std::nullopt;
}

std::string cells_difference(const std::vector<TrackCell>& a, const std::vector<TrackCell>& b) {
  if (a.size() != b.size()) {
    return "the track file holds " + std::to_string(a.size()) + " cells, its sources give " +
           std::to_string(b.size());
  }
  const auto c = first_unequal(a, b);
  if (!c) return "the track file differs";
  return "track cell " + std::to_string(*c) + " (" +
         km_position(static_cast<std::int64_t>(*c) * cell_metres) + "), " +
         field_difference(cell_fields(a[*c]), cell_fields(b[*c]));
}

std::string entries_difference(const SimTable& a, const SimTable& b) {
  const auto e = first_unequal(a, b);
  // Equal entries but other bytes: a name the code page cannot hold both ways.
  if (!e) return "the table file differs in the bytes of a name";
  return "table entry " + std::to_string(*e) + ", " +
         field_difference(entry_fields(a[*e]), entry_fields(b[*e]));
}

std::string geometry_difference(const LineGeometry& ga, const LineGeometry& gb) {
  if (ga.last_m() != gb.last_m()) {
    return "the line file holds " + std::to_string(ga.last_m() + 1) + " metres, its sources give " +
           std::to_string(gb.last_m() + 1);
  }
  for (std::int64_t row = 0; row <= ga.last_m(); ++row) {
    for (int coord = 0; coord < 2; ++coord) {
      if (ga.at(row, coord) == gb.at(row, coord)) continue;
      return "line " + km_position(row) + ", coordinate " + std::to_string(coord) +
             stored_versus(line_value(ga.at(row, coord)), line_value(gb.at(row, coord)));
    }
  }
  return "the line file differs";
}

// Nothing when the bytes are equal; else both files decoded and their first difference worded by
// `compare`, or only that the file differs when either does not decode.
template <typename Value>
std::string decoded_difference(std::string_view given, std::string_view rebuilt, const char* file,
                               Decoded<Value> (*decode)(std::string_view),
                               std::string (*compare)(const Value&, const Value&)) {
  if (given == rebuilt) return {};
  const auto a = decode(given);
  const auto b = decode(rebuilt);
  if (!a.ok() || !b.ok()) return std::string("the ") + file + " differs";
  return compare(a.value(), b.value());
}

}  // namespace

std::string track_difference(std::string_view given, std::string_view rebuilt) {
  return decoded_difference(given, rebuilt, "track file", decode_track_file, cells_difference);
}

std::string table_difference(std::string_view given, std::string_view rebuilt) {
  return decoded_difference(given, rebuilt, "table file", decode_table_file, entries_difference);
}

std::string line_difference(std::string_view given, std::string_view rebuilt) {
  return decoded_difference(given, rebuilt, "line file", decode_line_file, geometry_difference);
}

}  // namespace scenario::tool
