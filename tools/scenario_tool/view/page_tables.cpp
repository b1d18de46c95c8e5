#include "scenario_tool/view/page_tables.h"

#include <vector>

#include "scenario_tool/plot/svg.h"
#include "scenario_tool/scenario/position_text.h"

namespace scenario::tool {

namespace {

using Row = std::vector<std::string>;

std::string table(std::string_view caption, const Row& heads, const std::vector<Row>& rows) {
  std::string out = "<table><caption>" + xml_escape(caption) + " (" + std::to_string(rows.size()) +
                    ")</caption><tr>";
  for (const std::string& h : heads) out += "<th scope=\"col\">" + xml_escape(h) + "</th>";
  out += "</tr>\n";
  for (const Row& r : rows) {
    out += "<tr>";
    for (const std::string& v : r) out += "<td>" + xml_escape(v) + "</td>";
    out += "</tr>\n";
  }
  return out + "</table>\n";
}

std::string text_of(const Json& j, const char* key) {
  const auto it = j.find(key);
  if (it == j.end() || it->is_null()) return "";
  return it->is_string() ? it->get<std::string>() : it->dump();
}

std::string km_of(const Json& j, const char* key) {
  const auto it = j.find(key);
  return it == j.end() || !it->is_number() ? "-" : km_position(it->get<std::int64_t>());
}

std::vector<Row> station_rows(const Json& report) {
  std::vector<Row> rows;
  for (const Json& s : report.value("stations", Json::array())) {
    rows.push_back({text_of(s, "name"), km_of(s, "position_m"),
                    km_of(s, "zone_start_m") + " to " + km_of(s, "zone_end_m"), text_of(s, "time"),
                    text_of(s, "type")});
  }
  return rows;
}

std::string aspects_of(const Json& side) {
  std::string out;
  for (const Json& a : side.value("aspects", Json::array())) {
    out += (out.empty() ? "" : ", ") + a.dump();
  }
  return out;
}

// A signal's values as inspect decodes them: each side's kind and aspects, and its time.
std::vector<Row> signal_rows(const Json& report) {
  std::vector<Row> rows;
  for (const Json& c : report.value("cells", Json::array())) {
    if (text_of(c, "kind_name") != "signal") continue;
    const Json m = c.value("meaning", Json::object());
    const Json left = m.value("left", Json::object());
    const Json right = m.value("right", Json::object());
    rows.push_back({text_of(c, "index"), km_of(c, "metres"), text_of(left, "sx"), aspects_of(left),
                    text_of(right, "dx"), aspects_of(right), text_of(m, "signal_time")});
  }
  return rows;
}

std::vector<Row> slowdown_rows(const Json& slowdowns) {
  std::vector<Row> rows;
  if (!slowdowns.is_array()) return rows;
  for (const Json& s : slowdowns) {
    rows.push_back({km_of(s, "start_m"), km_of(s, "end_m"), text_of(s, "speed_kmh")});
  }
  return rows;
}

std::vector<Row> finding_rows(const Json& findings) {
  std::vector<Row> rows;
  if (!findings.is_array()) return rows;
  for (const Json& f : findings) {
    rows.push_back({text_of(f, "severity"), text_of(f, "check_id"), km_of(f, "position_m"),
                    text_of(f, "message")});
  }
  return rows;
}

}  // namespace

std::string static_tables(const Json& data) {
  const Json report = data.value("report", Json::object());
  std::string out = "<section class=\"tables\" aria-label=\"The data as tables\"><p>" +
                    xml_escape(data.value("title", std::string("Scenario"))) +
                    ": the drawings need JavaScript; here are the data as tables.</p>\n";
  out += table("Stations", {"name", "position", "zone", "timetable time", "type"},
               station_rows(report));
  out += table("Signals",
               {"cell", "position", "left-hand kind", "left-hand aspects", "right-hand kind",
                "right-hand aspects", "time (s)"},
               signal_rows(report));
  out += table("Slowdowns", {"from", "to", "km/h"},
               slowdown_rows(data.value("slowdowns", Json::array())));
  out += table("Findings of check", {"severity", "check", "position", "message"},
               finding_rows(data.value("findings", Json::array())));
  return out + "</section>";
}

}  // namespace scenario::tool
