#include "scenario_tool/inspect/report_lines.h"

#include <string>

#include "format/line_steps.h"
#include "scenario_tool/scenario/cell_meaning.h"
#include "scenario_tool/scenario/printable.h"

namespace scenario::tool {

namespace {

std::string str(const Json& j) {
  if (j.is_null()) return "none";
  if (j.is_string()) return printable(j.get<std::string>());
  return j.dump();
}

void write_header_lines(const Json& r, std::ostream& out) {
  const Json& ids = r.at("identifiers");
  if (!ids.is_null()) {
    out << "identifiers: route " << str(ids.at("route_id")) << ", train "
        << str(ids.at("train_number")) << '\n';
  }
  const Json& route = r.at("route");
  if (!route.at("length_m").is_null())
    out << "route length: " << str(route.at("length_m")) << " m\n";
  if (!route.at("cell_count").is_null()) out << "cells: " << str(route.at("cell_count")) << '\n';
  const Json& h = r.at("header");
  if (!h.at("track_cell_1").is_null()) {
    out << "header value of track cell 1: " << str(h.at("track_cell_1").at("value")) << '\n';
  }
  if (!h.at("table_entry_85").is_null()) {
    out << "header value of table entry 85: " << str(h.at("table_entry_85").at("value")) << '\n';
  }
  for (const auto& [name, code] : r.at("competition_codes").items()) {
    if (!code.is_null())
      out << "competition code " << name << ": " << str(code.at("stored")) << '\n';
  }
}

void write_table_lines(const Json& r, std::ostream& out) {
  if (r.at("stations").is_null()) return;
  for (const Json& k : r.at("kilometre_points")) {
    out << "kilometre point " << str(k.at("entry")) << ": " << str(k.at("start_m")) << " "
        << str(k.at("end_m")) << " " << str(k.at("pos_m")) << '\n';
  }
  const Json& b = r.at("backgrounds");
  out << "backgrounds: one " << str(b.at("one")) << ", two " << str(b.at("two")) << ", three "
      << str(b.at("three")) << '\n';
  const Json& c = r.at("code_repetition");
  out << "code repetition: " << str(c.at("start_m")) << " to " << str(c.at("end_m")) << " m, "
      << str(c.at("code_count")) << " codes\n";
  out << "clock: " << str(r.at("clock").at("text")) << '\n';
  out << "sand: " << str(r.at("sand")) << '\n';
  out << "train: braked mass " << str(r.at("train").at("braked_mass_percent")) << " %, "
      << str(r.at("train").at("coaches")) << " coaches\n";
  // The entry number is left out: it shifts for every station after one added.
  for (const Json& s : r.at("stations")) {
    out << "station " << str(s.at("name")) << ": type " << str(s.at("type")) << ", position "
        << str(s.at("position_m")) << " m, zone " << str(s.at("zone_start_m")) << " to "
        << str(s.at("zone_end_m")) << " m, time " << str(s.at("time"));
    for (const char* column :
         {"tps", "tab", "mar", "rap", "ac", "d2a", "d3a", "d1b", "d2b", "d3b"}) {
      out << ", " << column << " " << str(s.at(column));
    }
    out << '\n';
  }
  for (const Json& s : r.at("signboards")) {
    out << "signboard \"" << str(s.at("text")) << "\": "
        << (s.at("cell").is_null()
                ? std::string("no cell refers to it")
                : "cell " + str(s.at("cell")) + " (" + str(s.at("metres")) + " m)")
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
    out << "line metres " << run.first_row << " to " << run.last_row << ": " << step_text(run)
        << '\n';
  }
  if (steps.broken_row) {
    out << "line broken at metre " << *steps.broken_row << ": " << steps.broken_reason << '\n';
  }
}

void write_cell_lines(const Json& r, std::ostream& out) {
  if (r.at("cells").is_null()) return;
  for (const Json& c : r.at("cells")) {
    const std::string meaning = meaning_text(c.at("kind").get<std::uint8_t>(), c.at("meaning"));
    out << "cell " << str(c.at("index")) << " (" << str(c.at("metres"))
        << " m): " << str(c.at("kind_name")) << (meaning.empty() ? "" : " " + meaning) << '\n';
  }
  for (const auto& [name, runs] : r.at("stretches").items()) {
    for (const Json& run : runs) {
      out << name << " cells " << str(run.at("first_cell")) << " to " << str(run.at("last_cell"))
          << " (" << str(run.at("start_m")) << " to " << str(run.at("end_m"))
          << " m): " << (run.at("value").is_null() ? "not set" : str(run.at("value"))) << '\n';
    }
  }
  for (const Json& c : r.at("approach_codes")) {
    out << "approach code cell " << str(c.at("cell")) << " (" << str(c.at("metres"))
        << " m): " << str(c.at("code")) << '\n';
  }
}

}  // namespace

void write_report_lines(const Json& report, const LoadedScenario& scenario, std::ostream& out) {
  write_header_lines(report, out);
  write_table_lines(report, out);
  if (scenario.line) write_line_lines(*scenario.line, out);
  write_cell_lines(report, out);
}

}  // namespace scenario::tool
