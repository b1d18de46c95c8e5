#include "scenario_tool/documents/documents_json.h"

#include "scenario_tool/documents/layout.h"

namespace scenario::tool {

namespace {

const char* kind_name(RowKind k) {
  switch (k) {
    case RowKind::departure:
      return "departure";
    case RowKind::stop:
      return "stop";
    case RowKind::passing:
      return "passing";
    case RowKind::arrival:
      return "arrival";
    case RowKind::km_post:
      return "km_post";
    case RowKind::signal:
      return "signal";
    case RowKind::speed_change:
      break;
  }
  return "speed_change";
}

template <typename T>
Json optional_json(const std::optional<T>& v) {
  return v ? Json(*v) : Json(nullptr);
}

Json clock_json(const std::optional<std::int64_t>& s) {
  return s ? Json(clock_figure(*s)) : Json(nullptr);
}

Json row_json(const SheetRow& r) {
  return {{"kind", kind_name(r.kind)},
          {"position_m", r.position_m},
          {"place", r.place},
          {"limit_kmh", optional_json(r.limit_kmh)},
          {"arrival_s", optional_json(r.arrival_s)},
          {"arrival", clock_json(r.arrival_s)},
          {"departure_s", optional_json(r.departure_s)},
          {"departure", clock_json(r.departure_s)},
          {"running_kmh", optional_json(r.running_kmh)},
          {"recovery_min", r.recovery_half_min ? Json(*r.recovery_half_min / 2.0) : Json(nullptr)}};
}

Json sheet_json(const Documents& d) {
  Json rows = Json::array();
  for (const SheetRow& r : d.rows) rows.push_back(row_json(r));
  return {{"train_number", d.train_number},
          {"from", d.first_station},
          {"to", d.last_station},
          {"top_speed_kmh", d.top_speed_kmh},
          {"rank", d.options.rank},
          {"braked_mass_percent", d.braked_mass_percent},
          {"classification", d.options.classification},
          {"braked_mass_t", d.options.braked_mass_t},
          {"dwell_s", d.options.dwell_s},
          {"accel_m_s2", d.options.accel_m_s2},
          {"decel_m_s2", d.options.decel_m_s2},
          {"rows", rows}};
}

Json slowdowns_json(const Documents& d) {
  Json rows = Json::array();
  for (std::size_t i = 0; i < d.slowdowns.size(); ++i) {
    const SlowdownRow& r = d.slowdowns[i];
    rows.push_back({{"number", i + 1},
                    {"between", r.between},
                    {"start_m", r.start_m},
                    {"km_post", r.start_m / 1000},
                    {"speed_kmh", r.speed_kmh},
                    {"length_m", r.length_m},
                    {"prescription", r.whole_train ? "A" : "---"}});
  }
  return {{"rows", rows}};
}

Json findings_json(const Documents& d) {
  Json findings = Json::array();
  for (const CheckFinding& f : d.findings) {
    findings.push_back(
        {{"check", f.check}, {"position_m", f.position_m.value_or(0)}, {"message", f.message}});
  }
  return findings;
}

}  // namespace

std::vector<std::string> document_file_names(const Documents& d) {
  const std::string prefix = d.route_id + "_" + d.train_number + "_";
  return {prefix + "scheda_treno.txt", prefix + "rallentamenti.txt", prefix + "note.txt"};
}

Json documents_json(const Documents& d) {
  return {{"version", 1},
          {"route_id", d.route_id},
          {"train_number", d.train_number},
          {"files", document_file_names(d)},
          {"timetable_sheet", sheet_json(d)},
          {"slowdown_order", slowdowns_json(d)},
          {"notes", {{"remarks", d.remarks}, {"free_notes", d.options.free_notes}}},
          {"findings", findings_json(d)}};
}

Json document_texts(const Documents& d) {
  const std::vector<std::string> names = document_file_names(d);
  const std::vector<std::vector<std::string>> papers{sheet_lines(d), slowdown_order_lines(d),
                                                     notes_lines(d)};
  const char* titles[] = {"Timetable sheet", "Slowdown order", "Notes"};
  Json texts = Json::array();
  for (std::size_t i = 0; i < papers.size(); ++i) {
    std::string text;
    for (const std::string& line : papers[i]) text += line + "\n";
    texts.push_back({{"title", titles[i]}, {"file", names[i]}, {"text", text}});
  }
  return texts;
}

}  // namespace scenario::tool
