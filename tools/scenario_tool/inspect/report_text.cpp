#include "scenario_tool/inspect/report_text.h"

#include <cstdint>
#include <iomanip>
#include <optional>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "scenario_tool/scenario/cell_meaning.h"
#include "scenario_tool/scenario/curve_views.h"
#include "scenario_tool/scenario/position_text.h"
#include "scenario_tool/scenario/printable.h"
#include "scenario_tool/scenario/table_views.h"

namespace scenario::tool {

namespace {

constexpr std::size_t kLabelWidth = 19;

template <class T>
requires std::is_integral_v<T> std::string str(T v) {
  return std::to_string(static_cast<std::int64_t>(v));
}
std::string str(const std::string& s) { return printable(s); }
std::string str(double v) {
  std::ostringstream ss;
  ss << std::fixed << std::setprecision(3) << v;
  return ss.str();
}
template <class T>
std::string str(const std::optional<T>& v) {
  return v ? str(*v) : "n/a";
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

std::string file_state_text(const FileOutcome& f) {
  switch (f.state) {
    case FileState::ok:
      return str(f.size) + " bytes";
    case FileState::damaged:
      return "damaged at byte " + str(f.error->offset) + ": " + str(f.error->message);
    case FileState::unreadable:
      return "unreadable: " + str(f.reason);
    case FileState::missing:
      return f.required ? "not found"
                        : "not found (a scenario compiled without line geometry has none)";
    case FileState::not_given:
      break;
  }
  return "not given";
}

void write_files(const LoadedScenario& s, std::ostream& out) {
  out << "Files\n";
  for (FileRole role : all_roles) {
    const FileOutcome& f = s.outcome(role);
    out << "  " << pad(role_name(role), 7) << (f.path ? str(*f.path) : "-") << "  "
        << file_state_text(f) << '\n';
  }
}

std::string check_text(const std::optional<ValueCheck>& c, const std::string& where) {
  if (!c) return "n/a in " + where;
  return str(c->value) + " in " + where +
         (c->value == c->expected ? " (ok)" : " (expected " + str(c->expected) + ")");
}

std::string code_text(const char* name, const std::optional<CodeCheck>& c) {
  if (!c) return std::string(name) + " n/a";
  std::string text = std::string(name) + " " + str(c->stored);
  if (!c->expected) return text + " (not checked: no table)";
  if (*c->expected == c->stored) return text + " (matches the identifiers)";
  return text + " (does NOT match the identifiers: expected " + str(*c->expected) + ")";
}

void write_header_part(const InspectReport& r, std::ostream& out) {
  const std::optional<Header>& h = r.scenario.header;
  line(out, "Identifiers",
       h ? "route " + str(h->route_id) + ", train " + str(h->train_number) : "n/a");
  const bool track = r.loaded.track.has_value();
  std::string cells = (track ? str(r.scenario.cell_count) : "n/a") + " cells";
  if (track) cells += " (0 to " + std::to_string(r.scenario.cell_count - 1) + ")";
  line(out, "Route length", (h ? str(h->route_length_m) : "n/a") + " m, " + cells);
  line(out, "Header values",
       check_text(r.track_header, "track cell 1") + ", " +
           check_text(r.table_header, "table entry 85"));
  line(out, "Competition codes", code_text("st", r.code_st) + "; " + code_text("og", r.code_og));
}

void write_stations(const std::vector<Station>& stations, std::ostream& out) {
  line(out, "Stations", std::to_string(stations.size()));
  std::size_t name_width = 4;
  for (const Station& s : stations) name_width = std::max(name_width, text_width(str(s.name)));
  out << "  " << pad_left("entry", 5) << "  " << pad("name", name_width) << "  "
      << pad_left("type", 4) << "  " << pad_left("position", 10) << "  " << pad_left("zone", 24)
      << "  time\n";
  for (const Station& s : stations) {
    const std::string zone = km_position(s.zone_start_m) + " to " + km_position(s.zone_end_m);
    out << "  " << pad_left(str(s.entry), 5) << "  " << pad(str(s.name), name_width) << "  "
        << pad_left(str(s.type), 4) << "  " << pad_left(km_position(s.position_m), 10) << "  "
        << pad_left(zone, 24) << "  " << time_of_day_text(s.time_s) << '\n';
  }
}

void write_signboards(const std::vector<Sign>& signs, std::ostream& out) {
  line(out, "Signboards", std::to_string(signs.size()));
  for (const Sign& s : signs) {
    const std::string where = !s.cell
                                  ? "no cell refers to it"
                                  : "cell " + str(s.cell) + " (" + km_position(*s.position_m) + ")";
    out << "  " << pad_left(str(s.entry), 5) << "  " << str(s.text) << "  at " << where << '\n';
  }
}

void write_table_part(const Scenario& s, std::ostream& out) {
  if (!s.header) {
    line(out, "Table", "n/a (no table file decoded)");
    return;
  }
  const Header& h = *s.header;
  std::string kp;
  for (const KmPointEntry& k : h.km_points) {
    kp += (kp.empty() ? "" : ", ") + str(k.entry) + ": " + str(k.start_m) + " " + str(k.end_m) +
          " " + str(k.pos_m);
  }
  line(out, "Kilometre points", kp);
  line(out, "Backgrounds",
       "one " + str(h.backgrounds[0]) + ", two " + str(h.backgrounds[1]) + ", three " +
           str(h.backgrounds[2]));
  line(out, "Code repetition",
       km_position(h.repetition_start_m) + " to " + km_position(h.repetition_end_m) + ", " +
           str(h.repetition_codes) + " codes");
  line(out, "Clock", clock_text(h.clock[0], h.clock[1], h.clock[2]));
  line(out, "Sand", str(h.sand));
  line(out, "Braked mass", str(h.braked_mass_percent) + " %, " + str(h.coaches) + " coaches");
  write_stations(s.stations, out);
  write_signboards(s.signs, out);
}

std::string extent_text(const char* name, const std::optional<Extent>& e) {
  if (!e) return std::string(name) + " n/a";
  return std::string(name) + " from " + str(e->min) + " to " + str(e->max);
}

void write_line_and_counts(const InspectReport& r, std::ostream& out) {
  const std::optional<LineSummary>& g = r.line;
  line(out, "Line geometry",
       !g ? "n/a"
          : str(g->metres) + " metres, " + str(g->metres_filled) + " filled; " +
                extent_text("coordinate 0", g->coordinates[0]) + ", " +
                extent_text("coordinate 1", g->coordinates[1]));
  std::string text;
  for (const KindCount& k : r.cell_counts) {
    text += (text.empty() ? "" : ", ") + kind_name(k.kind) + " " + str(k.count);
  }
  line(out, "Cells by kind", r.loaded.track ? text : "n/a");
  for (const std::string& w : r.warnings) line(out, "Warning", str(w));
}

std::string cell_place(std::int64_t index, std::int64_t metres) {
  return pad_left(str(index), 6) + "  " + pad_left(km_position(metres), 10);
}

void write_cells(const std::vector<Feature>& cells, std::ostream& out) {
  out << "\nCells (" << cells.size() << " occupied)\n"
      << "   index  position  kind               values\n";
  for (const Feature& c : cells) {
    const std::string meaning = meaning_text(c.kind, c.meaning);
    const std::string name = kind_name(c.kind);
    out << "  " << cell_place(c.cell, c.position_m) << "  "
        << (meaning.empty() ? name : pad(name, 17) + "  " + meaning) << '\n';
  }
}

void write_stretches(const Scenario& s, std::ostream& out) {
  out << "\nStretches\n";
  for (const NamedRuns& list : named_runs(s)) {
    out << "  " << list.name << " (" << list.runs->size() << ")\n";
    for (const Run& run : *list.runs) {
      out << "    cells " << pad_left(str(run.first_cell()), 5) << " to "
          << pad_left(str(run.last_cell()), 5) << "  (" << pad_left(km_position(run.start_m), 10)
          << " to " << pad_left(km_position(run.end_m), 10) << ")  "
          << (run.value ? str(*run.value) : "not set") << '\n';
    }
  }
}

void write_approach_codes(const std::vector<ApproachCode>& codes, std::ostream& out) {
  out << "\nApproach codes (" << codes.size() << ")\n";
  for (const ApproachCode& c : codes) {
    out << "  " << cell_place(c.cell, c.position_m) << "  " << str(c.code) << '\n';
  }
}

void write_curves(const std::optional<LineCurves>& curves, std::ostream& out) {
  if (!curves) {
    out << "\nCurves: n/a (no line file decoded)\n";
    return;
  }
  out << "\nCurves (" << curves->curves.size() << ")\n";
  for (const CurveStretch& c : curves->curves) {
    out << "  " << pad_left(km_position(c.start_m), 10) << " to "
        << pad_left(km_position(c.end_m), 10) << "  class " << str(c.curve_class) << "  "
        << pad(side_name(c.side), 5) << "  radius " << str(whole_radius_m(c)) << " m\n";
  }
  if (curves->broken_m) {
    out << "  the line's steps are unknown from " << km_position(*curves->broken_m) << ": "
        << str(curves->broken_reason) << '\n';
  }
}

void write_cells_part(const InspectReport& r, std::ostream& out) {
  if (!r.loaded.track) {
    out << "\nCells: n/a (no track file decoded)\n";
  } else {
    write_cells(r.scenario.features, out);
    write_stretches(r.scenario, out);
    write_approach_codes(r.scenario.approach_codes, out);
  }
  write_curves(r.scenario.curves, out);
}

}  // namespace

void write_text_report(const InspectReport& r, std::ostream& out) {
  write_files(r.loaded, out);
  write_header_part(r, out);
  write_table_part(r.scenario, out);
  write_line_and_counts(r, out);
  if (r.cells) write_cells_part(r, out);
}

}  // namespace scenario::tool
