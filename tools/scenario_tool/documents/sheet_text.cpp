// The timetable sheet in the built-in sheet's layout: the header boxes, then a table 83
// characters wide with a row for each row of the documents, however many.
#include <cstdio>

#include "scenario_tool/documents/documents.h"
#include "scenario_tool/documents/layout.h"

namespace scenario::tool {

namespace {

constexpr const char* kRule =
    " |_____|_____|__________|_____|____________________________|________________|_____|";

std::string limit_cell(const std::optional<std::int32_t>& kmh) {
  if (!kmh) return fit("", 5);
  char text[16];
  std::snprintf(text, sizeof text, "%4d ", static_cast<int>(*kmh));
  return fit(text, 5);
}

// "Rec": half minutes as 0.5, 1, 1.5, left-aligned after one space.
std::string recovery_cell(const std::optional<std::int32_t>& halves) {
  if (!halves) return fit("", 5);
  std::string text = std::to_string(*halves / 2);
  if (*halves % 2 != 0) text += ".5";
  if (*halves == 1) text = "0.5";
  return fit(" " + text, 5);
}

// The first row holds a bare 0 in the place of the units.
std::string km_cell(std::int64_t metres) {
  if (metres == 0) return "    0     ";
  const std::string figure = km_figure(metres);
  if (figure.size() >= 9) return fit(figure, 9) + " ";
  return std::string(9 - figure.size(), ' ') + figure + " ";
}

std::string time_cell(const SheetRow& r) {
  const auto t = [](const std::optional<std::int64_t>& s) {
    return s ? clock_figure(*s) : std::string(5, ' ');
  };
  switch (r.kind) {
    case RowKind::departure:
      return std::string(10, ' ') + t(r.departure_s) + " ";
    case RowKind::stop:
      return " " + t(r.arrival_s) + "    " + t(r.departure_s) + " ";
    case RowKind::arrival:
      return " " + t(r.arrival_s) + std::string(10, ' ');
    case RowKind::passing:
    case RowKind::speed_change:
    case RowKind::km_post:
    case RowKind::signal:
      break;
  }
  return std::string(6, ' ') + t(r.arrival_s) + std::string(5, ' ');
}

std::string row_line(const SheetRow& r) {
  return " |" + limit_cell(r.limit_kmh) + "|" + limit_cell(r.running_kmh) + "|" +
         km_cell(r.position_m) + "|     |" + fit(" " + r.place, 28) + "|" + time_cell(r) + "|" +
         recovery_cell(r.recovery_half_min) + "|";
}

}  // namespace

std::vector<std::string> sheet_lines(const Documents& d) {
  const DocumentOptions& o = d.options;
  std::vector<std::string> lines{
      "",
      " ",
      "  ___________________                                                ______________",
      " |                   |                  SCHEDA                      |              |",
      " |" + centred("TRENO n. " + d.train_number, 19, true) + "|" +
          fit(std::string(16, ' ') + "da: " + d.first_station, 46) + "|" +
          centred("V" + std::to_string(d.top_speed_kmh) + " " + o.rank, 14, true) + "|",
      " |___________________|" + fit(std::string(17, ' ') + "a: " + d.last_station, 46) + "|" +
          centred(std::to_string(d.braked_mass_percent) + "%", 14, true) + "|",
      "                                                                    |______________|",
      "  ___________________                ___________________ ",
      " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ",
      " |" + centred(o.classification, 19, true) + "|              |" +
          fit("      " + std::to_string(o.braked_mass_t) + "T", 19) + "|",
      " |___________________|              |___________________|  ",
      "",
      "  ________________________________________________________________________________",
      " | Vel.| Vel.| Progr Km | No  |  Localita' di Servizio     |    Orario      | Rec |",
      " | Lim.|Marc.|          | Rs  |                            |                |     |",
      kRule};
  for (const SheetRow& r : d.rows) lines.push_back(row_line(r));
  lines.push_back(kRule);
  return lines;
}

}  // namespace scenario::tool
