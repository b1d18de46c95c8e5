#include "scenario_tool/check/check_report.h"

#include <cmath>
#include <iomanip>
#include <sstream>

#include "scenario_tool/scenario/position_text.h"
#include "scenario_tool/scenario/table_views.h"

namespace scenario::tool {

namespace {

std::string path_of(FileRole role, const LoadedScenario& s) {
  return s.outcome(role).path.value_or(role_name(role));
}

Json optional_seconds(const std::optional<double>& s) {
  if (!s) return nullptr;
  return round_half_even(*s * 10.0) / 10.0;
}

Json point_json(const TimingPoint& p) {
  return Json{{"entry", p.entry},
              {"name", p.name},
              {"position_m", p.position_m},
              {"time", time_of_day_text(p.time_s)},
              {"stop", p.stop}};
}

std::optional<double> margin_of(const TimetableSection& s) {
  if (!s.estimate_s) return std::nullopt;
  return static_cast<double>(s.scheduled_s) - *s.estimate_s;
}

Json section_json(const TimetableSection& s) {
  return Json{{"from", point_json(s.from)},
              {"to", point_json(s.to)},
              {"distance_m", s.distance_m()},
              {"scheduled_s", s.scheduled_s},
              {"lower_bound_s", optional_seconds(s.lower_bound_s)},
              {"estimate_s", optional_seconds(s.estimate_s)},
              {"margin_s", optional_seconds(margin_of(s))}};
}

Json finding_json(const CheckFinding& f, const LoadedScenario& s) {
  Json position = nullptr;
  if (f.position_m) position = *f.position_m;
  return Json{{"check", f.check},
              {"severity", severity_name(f.severity)},
              {"position_m", position},
              {"file", path_of(f.file, s)},
              {"message", f.message}};
}

std::string cell_text(const std::optional<double>& seconds) {
  return seconds ? duration_text(*seconds) : "-";
}

void write_timetable(const std::vector<TimetableSection>& sections, std::ostream& out) {
  out << "Timetable\n";
  if (sections.empty()) {
    out << "  fewer than two stations carry a time\n";
    return;
  }
  out << "  " << std::left << std::setw(40) << "section" << std::right << std::setw(10) << "km"
      << std::setw(11) << "scheduled" << std::setw(13) << "lower bound" << std::setw(10)
      << "estimate" << std::setw(9) << "margin" << '\n';
  for (const TimetableSection& s : sections) {
    out << "  " << std::left << std::setw(40) << (s.from.name + " - " + s.to.name) << std::right
        << std::setw(10) << km_text(s.distance_m()) << std::setw(11)
        << duration_text(static_cast<double>(s.scheduled_s)) << std::setw(13)
        << cell_text(s.lower_bound_s) << std::setw(10) << cell_text(s.estimate_s) << std::setw(9)
        << cell_text(margin_of(s)) << '\n';
  }
}

}  // namespace

std::string finding_text(const CheckFinding& f, const LoadedScenario& s) {
  std::string text = path_of(f.file, s) + ": " + severity_name(f.severity) + ": ";
  if (f.position_m) text += "at " + km_position(*f.position_m) + ": ";
  return text + f.message;
}

void write_check_text(const CheckResult& r, const LoadedScenario& s, bool timetable,
                      std::ostream& out) {
  for (const CheckFinding& f : r.findings) out << finding_text(f, s) << '\n';
  if (timetable) write_timetable(r.sections, out);
  out << r.count(Severity::error) << " error(s), " << r.count(Severity::warning) << " warning(s)\n";
}

Json check_json(const CheckResult& r, const LoadedScenario& s, const CheckParameters& p) {
  Json files = Json::object();
  for (FileRole role : all_roles) {
    const auto& path = s.outcome(role).path;
    files[role_name(role)] = path ? Json(*path) : Json(nullptr);
  }
  Json findings = Json::array();
  for (const CheckFinding& f : r.findings) findings.push_back(finding_json(f, s));
  Json sections = Json::array();
  for (const TimetableSection& t : r.sections) sections.push_back(section_json(t));
  return Json{{"version", 1},
              {"files", files},
              {"parameters",
               {{"cant_mm", p.cant_mm},
                {"cant_deficiency_mm", p.cant_deficiency_mm},
                {"max_gradient_per_mille", p.max_gradient_per_mille},
                {"accel_m_s2", p.accel_m_s2},
                {"decel_m_s2", p.decel_m_s2},
                {"dwell_s", p.dwell_s}}},
              {"findings", findings},
              {"timetable", sections},
              {"skipped", r.skipped},
              {"summary",
               {{"errors", r.count(Severity::error)}, {"warnings", r.count(Severity::warning)}}}};
}

}  // namespace scenario::tool
