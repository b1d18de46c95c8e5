#include "scenario_tool/inspect/report_text.h"

#include <cstdint>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include "scenario_tool/scenario/cell_meaning.h"
#include "scenario_tool/scenario/printable.h"

namespace scenario::tool {

namespace {

constexpr std::size_t kLabelWidth = 19;

std::string str(const Json& j) {
  if (j.is_null()) return "n/a";
  if (j.is_string()) return printable(j.get<std::string>());
  if (j.is_number_float()) {
    std::ostringstream ss;
    ss << std::fixed << std::setprecision(3) << j.get<double>();
    return ss.str();
  }
  return j.dump();
}

// Characters, not bytes, so that names with accents line up.
std::size_t text_width(const std::string& s) {
  std::size_t n = 0;
  for (char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  return n;
}

std::string pad(const std::string& s, std::size_t width) {
  const std::size_t w = text_width(s);
  return w >= width ? s : s + std::string(width - w, ' ');
}

std::string pad_left(const std::string& s, std::size_t width) {
  const std::size_t w = text_width(s);
  return w >= width ? s : std::string(width - w, ' ') + s;
}

void line(std::ostream& out, const std::string& label, const std::string& text) {
  out << pad(label, kLabelWidth) << text << '\n';
}

std::string file_state_text(const Json& f) {
  const std::string status = f.at("status").get<std::string>();
  if (status == "ok") return str(f.at("bytes")) + " bytes";
  if (status == "damaged") {
    return "damaged at byte " + str(f.at("error").at("offset")) + ": " +
           str(f.at("error").at("message"));
  }
  if (status == "unreadable") return "unreadable: " + str(f.at("error").at("message"));
  if (status == "missing" && !f.at("required").get<bool>()) {
    return "not found (a scenario compiled without line geometry has none)";
  }
  if (status == "missing") return "not found";
  return "not given";
}

void write_files(const Json& r, std::ostream& out) {
  out << "Files\n";
  for (const auto& [role, f] : r.at("files").items()) {
    const std::string path = f.at("path").is_null() ? "-" : str(f.at("path"));
    out << "  " << pad(role, 7) << path << "  " << file_state_text(f) << '\n';
  }
}

std::string check_text(const Json& c, const std::string& where) {
  if (c.is_null()) return "n/a in " + where;
  return str(c.at("value")) + " in " + where +
         (c.at("ok").get<bool>() ? " (ok)" : " (expected " + str(c.at("expected")) + ")");
}

std::string code_text(const char* name, const Json& c) {
  if (c.is_null()) return std::string(name) + " n/a";
  std::string text = std::string(name) + " " + str(c.at("stored"));
  if (c.at("match").is_null()) return text + " (not checked: no table)";
  if (c.at("match").get<bool>()) return text + " (matches the identifiers)";
  return text + " (does NOT match the identifiers: expected " + str(c.at("expected")) + ")";
}

void write_header_part(const Json& r, std::ostream& out) {
  const Json& ids = r.at("identifiers");
  line(out, "Identifiers",
       ids.is_null()
           ? "n/a"
           : "route " + str(ids.at("route_id")) + ", train " + str(ids.at("train_number")));
  const Json& route = r.at("route");
  std::string cells = str(route.at("cell_count")) + " cells";
  if (!route.at("cell_count").is_null()) {
    cells += " (0 to " + std::to_string(route.at("cell_count").get<std::int64_t>() - 1) + ")";
  }
  line(out, "Route length", str(route.at("length_m")) + " m, " + cells);
  const Json& h = r.at("header");
  line(out, "Header values",
       check_text(h.at("track_cell_1"), "track cell 1") + ", " +
           check_text(h.at("table_entry_85"), "table entry 85"));
  const Json& codes = r.at("competition_codes");
  line(out, "Competition codes",
       code_text("st", codes.at("st")) + "; " + code_text("og", codes.at("og")));
}

void write_stations(const Json& stations, std::ostream& out) {
  line(out, "Stations", std::to_string(stations.size()));
  std::size_t name_width = 4;
  for (const Json& s : stations) name_width = std::max(name_width, text_width(str(s.at("name"))));
  out << "  " << pad_left("entry", 5) << "  " << pad("name", name_width) << "  "
      << pad_left("type", 4) << "  " << pad_left("position", 8) << "  " << pad_left("zone (m)", 16)
      << "  time\n";
  for (const Json& s : stations) {
    const std::string zone = str(s.at("zone_start_m")) + " to " + str(s.at("zone_end_m"));
    out << "  " << pad_left(str(s.at("entry")), 5) << "  " << pad(str(s.at("name")), name_width)
        << "  " << pad_left(str(s.at("type")), 4) << "  " << pad_left(str(s.at("position_m")), 8)
        << "  " << pad_left(zone, 16) << "  " << str(s.at("time")) << '\n';
  }
}

void write_signboards(const Json& signs, std::ostream& out) {
  line(out, "Signboards", std::to_string(signs.size()));
  for (const Json& s : signs) {
    const std::string where =
        s.at("cell").is_null() ? "no cell refers to it"
                               : "cell " + str(s.at("cell")) + " (" + str(s.at("metres")) + " m)";
    out << "  " << pad_left(str(s.at("entry")), 5) << "  " << str(s.at("text")) << "  at " << where
        << '\n';
  }
}

void write_table_part(const Json& r, std::ostream& out) {
  if (r.at("stations").is_null()) {
    line(out, "Table", "n/a (no table file decoded)");
    return;
  }
  std::string kp;
  for (const Json& k : r.at("kilometre_points")) {
    kp += (kp.empty() ? "" : ", ") + str(k.at("entry")) + ": " + str(k.at("start_m")) + " " +
          str(k.at("end_m")) + " " + str(k.at("pos_m"));
  }
  line(out, "Kilometre points", kp);
  const Json& b = r.at("backgrounds");
  line(out, "Backgrounds",
       "one " + str(b.at("one")) + ", two " + str(b.at("two")) + ", three " + str(b.at("three")));
  const Json& c = r.at("code_repetition");
  line(out, "Code repetition",
       str(c.at("start_m")) + " to " + str(c.at("end_m")) + " m, " + str(c.at("code_count")) +
           " codes");
  line(out, "Clock", str(r.at("clock").at("text")));
  line(out, "Sand", str(r.at("sand")));
  line(out, "Braked mass",
       str(r.at("train").at("braked_mass_percent")) + " %, " + str(r.at("train").at("coaches")) +
           " coaches");
  write_stations(r.at("stations"), out);
  write_signboards(r.at("signboards"), out);
}

std::string extent_text(const char* name, const Json& e) {
  if (e.is_null()) return std::string(name) + " n/a";
  return std::string(name) + " from " + str(e.at("min")) + " to " + str(e.at("max"));
}

void write_line_and_counts(const Json& r, std::ostream& out) {
  const Json& g = r.at("line_geometry");
  line(out, "Line geometry",
       g.is_null() ? "n/a"
                   : str(g.at("metres")) + " metres, " + str(g.at("metres_filled")) + " filled; " +
                         extent_text("coordinate 0", g.at("coordinate_0")) + ", " +
                         extent_text("coordinate 1", g.at("coordinate_1")));
  const Json& counts = r.at("cell_counts");
  std::string text;
  if (!counts.is_null()) {
    for (const auto& [name, n] : counts.items())
      text += (text.empty() ? "" : ", ") + name + " " + str(n);
  }
  line(out, "Cells by kind", counts.is_null() ? "n/a" : text);
  for (const Json& w : r.at("warnings")) line(out, "Warning", str(w));
}

std::string cell_place(const Json& index, const Json& metres) {
  return pad_left(str(index), 6) + "  " + pad_left(str(metres), 8);
}

void write_cells(const Json& cells, std::ostream& out) {
  out << "\nCells (" << cells.size() << " occupied)\n"
      << "   index    metres  kind               values\n";
  for (const Json& c : cells) {
    const auto kind = c.at("kind").get<std::uint8_t>();
    const std::string meaning = meaning_text(kind, c.at("meaning"));
    out << "  " << cell_place(c.at("index"), c.at("metres")) << "  "
        << (meaning.empty() ? str(c.at("kind_name"))
                            : pad(str(c.at("kind_name")), 17) + "  " + meaning)
        << '\n';
  }
}

void write_stretches(const Json& stretches, std::ostream& out) {
  out << "\nStretches\n";
  for (const auto& [name, runs] : stretches.items()) {
    out << "  " << name << " (" << runs.size() << ")\n";
    for (const Json& run : runs) {
      out << "    cells " << pad_left(str(run.at("first_cell")), 5) << " to "
          << pad_left(str(run.at("last_cell")), 5) << "  (" << pad_left(str(run.at("start_m")), 7)
          << " to " << pad_left(str(run.at("end_m")), 7) << " m)  "
          << (run.at("value").is_null() ? "not set" : str(run.at("value"))) << '\n';
    }
  }
}

void write_approach_codes(const Json& codes, std::ostream& out) {
  out << "\nApproach codes (" << codes.size() << ")\n";
  for (const Json& c : codes) {
    out << "  " << cell_place(c.at("cell"), c.at("metres")) << "  " << str(c.at("code")) << '\n';
  }
}

void write_curves(const Json& curves, std::ostream& out) {
  if (curves.is_null()) {
    out << "\nCurves: n/a (no line file decoded)\n";
    return;
  }
  const Json& stretches = curves.at("stretches");
  out << "\nCurves (" << stretches.size() << ")\n";
  for (const Json& c : stretches) {
    out << "  " << pad_left(str(c.at("start_m")), 8) << " to " << pad_left(str(c.at("end_m")), 8)
        << " m  class " << str(c.at("class")) << "  " << pad(str(c.at("side")), 5) << "  radius "
        << str(c.at("radius_m")) << " m\n";
  }
  if (!curves.at("broken").is_null()) {
    out << "  the line's steps are unknown from " << str(curves.at("broken").at("metres"))
        << " m: " << str(curves.at("broken").at("reason")) << '\n';
  }
}

void write_cells_part(const Json& r, std::ostream& out) {
  if (r.at("cells").is_null()) {
    out << "\nCells: n/a (no track file decoded)\n";
  } else {
    write_cells(r.at("cells"), out);
    write_stretches(r.at("stretches"), out);
    write_approach_codes(r.at("approach_codes"), out);
  }
  write_curves(r.at("curves"), out);
}

}  // namespace

void write_text_report(const Json& r, std::ostream& out) {
  write_files(r, out);
  write_header_part(r, out);
  write_table_part(r, out);
  write_line_and_counts(r, out);
  if (r.contains("cells")) write_cells_part(r, out);
}

}  // namespace scenario::tool
