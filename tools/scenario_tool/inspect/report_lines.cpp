#include "scenario_tool/inspect/report_lines.h"

#include <optional>
#include <string>
#include <type_traits>
#include <utility>

#include "format/line_steps.h"
#include "scenario_tool/scenario/cell_meaning.h"
#include "scenario_tool/scenario/position_text.h"
#include "scenario_tool/scenario/printable.h"
#include "scenario_tool/scenario/table_views.h"

namespace scenario::tool {

namespace {

template <class T>
requires std::is_integral_v<T> std::string str(T v) {
  return std::to_string(static_cast<std::int64_t>(v));
}
std::string str(const std::string& s) { return printable(s); }

void write_header_lines(const InspectReport& r, std::ostream& out) {
  const std::optional<Header>& h = r.scenario.header;
  if (h) {
    out << "identifiers: route " << str(h->route_id) << ", train " << str(h->train_number) << '\n';
    out << "route length: " << str(h->route_length_m) << " m\n";
  }
  if (r.loaded.track) out << "cells: " << str(r.scenario.cell_count) << '\n';
  if (r.track_header) out << "header value of track cell 1: " << str(r.track_header->value) << '\n';
  if (r.table_header) {
    out << "header value of table entry 85: " << str(r.table_header->value) << '\n';
  }
  if (r.code_st) out << "competition code st: " << str(r.code_st->stored) << '\n';
  if (r.code_og) out << "competition code og: " << str(r.code_og->stored) << '\n';
}

void write_station_line(const Station& s, std::ostream& out) {
  const SimRecord& e = s.record;
  out << "station " << str(s.name) << ": type " << str(s.type) << ", position "
      << km_position(s.position_m) << ", zone " << km_position(s.zone_start_m) << " to "
      << km_position(s.zone_end_m) << ", time " << time_of_day_text(s.time_s);
  const std::pair<const char*, std::int64_t> columns[] = {
      {"tps", e.tps}, {"tab", e.tab}, {"mar", e.mar}, {"rap", e.rap}, {"ac", e.ac},
      {"d2a", e.d2a}, {"d3a", e.d3a}, {"d1b", e.d1b}, {"d2b", e.d2b}, {"d3b", e.d3b}};
  for (const auto& [column, value] : columns) out << ", " << column << " " << str(value);
  out << '\n';
}

void write_table_lines(const Scenario& s, std::ostream& out) {
  if (!s.header) return;
  const Header& h = *s.header;
  for (const KmPointEntry& k : h.km_points) {
    out << "kilometre point " << str(k.entry) << ": " << str(k.start_m) << " " << str(k.end_m)
        << " " << str(k.pos_m) << '\n';
  }
  out << "backgrounds: one " << str(h.backgrounds[0]) << ", two " << str(h.backgrounds[1])
      << ", three " << str(h.backgrounds[2]) << '\n';
  out << "code repetition: " << km_position(h.repetition_start_m) << " to "
      << km_position(h.repetition_end_m) << ", " << str(h.repetition_codes) << " codes\n";
  out << "clock: " << clock_text(h.clock[0], h.clock[1], h.clock[2]) << '\n';
  out << "sand: " << str(h.sand) << '\n';
  out << "train: braked mass " << str(h.braked_mass_percent) << " %, " << str(h.coaches)
      << " coaches\n";
  // The entry number is left out: it shifts for every station after one added.
  for (const Station& st : s.stations) write_station_line(st, out);
  for (const Sign& g : s.signs) {
    out << "signboard \"" << str(g.text) << "\": "
        << (!g.cell ? std::string("no cell refers to it")
                    : "cell " + str(*g.cell) + " (" + km_position(*g.position_m) + ")")
        << '\n';
  }
}

std::string step_text(const StepRun& run) {
  if (!run.curved()) return "straight";
  return "curve class " + std::to_string(run.curve_class) + (run.side > 0 ? " d" : " s");
}

void write_line_lines(const LineGeometry& line, std::ostream& out) {
  const LineSteps steps = read_line_steps(line);
  out << "line: " << line.last_m() + 1 << " metres, filled to metre " << steps.filled_to << '\n';
  for (const StepRun& run : steps.runs) {
    out << "line " << km_position(run.first_row) << " to " << km_position(run.last_row) << ": "
        << step_text(run) << '\n';
  }
  if (steps.broken_row) {
    out << "line broken at " << km_position(*steps.broken_row) << ": " << steps.broken_reason
        << '\n';
  }
}

void write_cell_lines(const Scenario& s, bool track, std::ostream& out) {
  if (!track) return;
  for (const Feature& c : s.features) {
    const std::string meaning = meaning_text(c.kind, c.meaning);
    out << "cell " << str(c.cell) << " (" << km_position(c.position_m) << "): " << kind_name(c.kind)
        << (meaning.empty() ? "" : " " + meaning) << '\n';
  }
  for (const NamedRuns& list : named_runs(s)) {
    for (const Run& run : *list.runs) {
      out << list.name << " cells " << str(run.first_cell()) << " to " << str(run.last_cell())
          << " (" << km_position(run.start_m) << " to " << km_position(run.end_m)
          << "): " << (run.value ? str(*run.value) : "not set") << '\n';
    }
  }
  for (const ApproachCode& c : s.approach_codes) {
    out << "approach code cell " << str(c.cell) << " (" << km_position(c.position_m)
        << "): " << str(c.code) << '\n';
  }
}

}  // namespace

void write_report_lines(const InspectReport& report, std::ostream& out) {
  write_header_lines(report, out);
  write_table_lines(report.scenario, out);
  if (report.loaded.line) write_line_lines(*report.loaded.line, out);
  write_cell_lines(report.scenario, report.loaded.track.has_value(), out);
}

}  // namespace scenario::tool
