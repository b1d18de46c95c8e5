#include "scenario_tool/diff/diff_text.h"

#include <cstdint>
#include <iomanip>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "scenario_tool/scenario/cell_meaning.h"
#include "scenario_tool/scenario/position_text.h"
#include "scenario_tool/scenario/printable.h"
#include "scenario_tool/scenario/table_views.h"

namespace scenario::tool {

namespace {

const std::string kArrow = " \xE2\x86\x92 ";  // →

std::string str(const Value& v) {
  if (const auto* n = std::get_if<std::int64_t>(&v)) return std::to_string(*n);
  if (const auto* t = std::get_if<std::string>(&v)) return printable(*t);
  return "none";
}

std::string metres(const Value& v) {
  const auto* n = std::get_if<std::int64_t>(&v);
  return n == nullptr ? "none" : km_position(*n);
}

void write_values(const std::vector<ValueChange>& changes, const char* title, std::ostream& out) {
  if (!changes.empty()) out << title << '\n';
  for (const ValueChange& c : changes) {
    out << "  " << c.item << ": " << str(c.old_value) << kArrow << str(c.new_value) << '\n';
  }
}

std::string column_label(const std::string& column) {
  static const std::map<std::string, std::string> labels{
      {"position_m", "position"}, {"zone_start_m", "zone start"}, {"zone_end_m", "zone end"}};
  const auto it = labels.find(column);
  return it == labels.end() ? column : it->second;
}

std::string column_value(const std::string& column, const Value& v) {
  return column.ends_with("_m") ? metres(v) : str(v);
}

std::string station_text(const Station& s) {
  return "type " + std::to_string(s.type) + ", zone " + km_position(s.zone_start_m) + " to " +
         km_position(s.zone_end_m) + ", time " + time_of_day_text(s.time_s);
}

std::string names_text(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& n : names) out += (out.empty() ? "" : ", ") + printable(n);
  return out;
}

const char* what_text(StationChange::What what) {
  return what == StationChange::What::added ? "added" : "removed";
}

void write_stations(const std::vector<StationChange>& changes, std::ostream& out) {
  if (!changes.empty()) out << "Stations\n";
  for (const StationChange& c : changes) {
    if (c.what == StationChange::What::reordered) {
      out << "  order: " << names_text(c.old_order) << kArrow << names_text(c.new_order) << '\n';
      continue;
    }
    out << "  " << printable(c.station->name) << " at " << km_position(c.position_m);
    if (c.what == StationChange::What::changed) {
      std::string columns;
      for (const StationChange::Column& col : c.columns) {
        columns += (columns.empty() ? "" : ", ") + column_label(col.column) + " " +
                   column_value(col.column, col.old_value) + kArrow +
                   column_value(col.column, col.new_value);
      }
      out << ": " << columns << '\n';
    } else {
      out << " " << what_text(c.what) << ": " << station_text(*c.station) << '\n';
    }
  }
}

void write_signboards(const std::vector<SignChange>& changes, std::ostream& out) {
  if (!changes.empty()) out << "Signboards\n";
  for (const SignChange& c : changes) {
    out << "  \"" << printable(c.sign.text) << "\" " << (c.added ? "added" : "removed");
    if (c.sign.position_m) out << " at " << km_position(*c.sign.position_m);
    out << '\n';
  }
}

std::string meaning(const Feature& f) {
  const std::string text = meaning_text(f.kind, f.meaning);
  return text.empty() ? "" : ": " + text;
}

std::string cell_place(const Feature& f) {
  return km_position(f.position_m) + " (cell " + std::to_string(f.cell) + ")";
}

void write_features(const std::vector<FeatureChange>& changes, std::ostream& out) {
  if (!changes.empty()) out << "Features\n";
  for (const FeatureChange& c : changes) {
    const Feature& f = c.before;
    out << "  " << kind_name(f.kind) << ' ';
    if (c.what == FeatureChange::What::moved) {
      out << "moved from " << km_position(f.position_m) << " to "
          << km_position(c.after->position_m) << " (cell " << f.cell << kArrow << c.after->cell
          << ")" << meaning(*c.after);
    } else if (c.what == FeatureChange::What::changed) {
      out << "changed at " << cell_place(f) << ": " << meaning_text(f.kind, f.meaning) << kArrow
          << meaning_text(c.after->kind, c.after->meaning);
    } else {
      out << change_name(c.what) << " at " << cell_place(f) << meaning(f);
    }
    out << '\n';
  }
}

std::string run_place(const CellSpan& r) {
  const std::string cells = r.first_cell == r.last_cell ? "cell " + std::to_string(r.first_cell)
                                                        : "cells " + std::to_string(r.first_cell) +
                                                              " to " + std::to_string(r.last_cell);
  return km_position(r.start_m()) + " to " + km_position(r.end_m()) + " (" + cells + ")";
}

std::string codes_text(const std::vector<int>& codes) {
  std::string out;
  for (int c : codes) out += (out.empty() ? "" : " ") + std::to_string(c);
  return out;
}

std::string stretch_value(const std::string& property, const std::optional<int>& v) {
  if (!v) return "not set";
  if (property == "speed_limit_kmh") return std::to_string(*v) + " km/h";
  if (property == "gradient") return std::to_string(*v) + " per mille";
  return std::to_string(*v);
}

void write_stretches(const Diff& diff, std::ostream& out) {
  static const std::map<std::string, std::string> labels{{"gradient", "gradient"},
                                                         {"speed_limit_kmh", "speed limit"},
                                                         {"adhesion", "adhesion"},
                                                         {"tunnel_type", "tunnel type"}};
  if (!diff.stretches.empty()) out << "Stretches\n";
  for (const StretchChange& r : diff.stretches) {
    out << "  " << labels.at(r.property) << ", " << run_place(r.cells) << ": "
        << stretch_value(r.property, r.old_value) << kArrow
        << stretch_value(r.property, r.new_value) << '\n';
  }
  if (!diff.approach_codes.empty()) out << "Approach codes\n";
  for (const ApproachCodeChange& r : diff.approach_codes) {
    out << "  " << run_place(r.cells) << ": " << codes_text(r.old_codes) << kArrow
        << codes_text(r.new_codes) << '\n';
  }
}

std::string step_text(const Step& step) {
  return step.curve_class == 0
             ? "straight"
             : "curve class " + std::to_string(step.curve_class) + (step.side > 0 ? " d" : " s");
}

std::string distance_text(double d) {
  std::ostringstream s;
  s << std::fixed << std::setprecision(3) << d;
  return s.str();
}

void write_geometry(const std::optional<GeometryChange>& change, std::ostream& out) {
  if (!change || change->same) return;
  const GeometryChange& g = *change;
  out << "Line geometry\n";
  if (!g.old_metres || !g.new_metres) {
    out << "  line file: " << (g.old_metres ? "present" : "none") << kArrow
        << (g.new_metres ? "present" : "none") << '\n';
    return;
  }
  if (*g.old_metres != *g.new_metres) {
    out << "  metres: " << grouped_metres(*g.old_metres) << kArrow << grouped_metres(*g.new_metres)
        << '\n';
  }
  if (!g.parts_at_m) {
    out << "  the centre lines are the same over the metres both fill\n";
    return;
  }
  out << "  the centre lines part at " << km_position(*g.parts_at_m) << "; greatest distance "
      << distance_text(g.greatest_distance_m) << " m, at " << km_position(g.greatest_distance_at_m)
      << '\n';
  for (const StepChange& s : g.steps) {
    out << "  " << km_position(s.first_m) << " to " << km_position(s.last_m) << ": "
        << step_text(s.old_step) << kArrow << step_text(s.new_step) << '\n';
  }
}

}  // namespace

std::string grouped_metres(std::int64_t m) {
  const std::string digits = std::to_string(m < 0 ? -m : m);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ' ';
    out += digits[i];
  }
  return (m < 0 ? "-" : "") + out;
}

void write_diff_text(const Diff& report, std::ostream& out) {
  if (report.same()) {
    out << "no difference: the same scenario\n";
    return;
  }
  write_values(report.identifiers, "Identifiers", out);
  write_values(report.general, "General", out);
  write_stations(report.stations, out);
  write_signboards(report.signboards, out);
  write_features(report.features, out);
  write_stretches(report, out);
  write_geometry(report.geometry, out);
  if (!report.unexplained.empty()) {
    std::string files;
    for (const std::string& f : report.unexplained) files += (files.empty() ? "" : ", ") + f;
    out << "Other\n  the " << files << " files differ in values no group shows\n";
  }
  const std::int64_t n = report.difference_count;
  out << n << (n == 1 ? " difference\n" : " differences\n");
}

}  // namespace scenario::tool
