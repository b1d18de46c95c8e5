// The slowdown order in the built-in form: a row per slowdown, the empty rows of the form after
// them (the table never shorter than the form's 21 rows), and the legend.
#include <algorithm>

#include "scenario_tool/documents/documents.h"
#include "scenario_tool/documents/layout.h"

namespace scenario::tool {

namespace {

constexpr std::size_t kFormRows = 21;
constexpr const char* kRule =
    " |___|____________________________|____________|__________|_________|____________|";
constexpr const char* kEmptyRow =
    " |   |                            |            |          |         |            |";

std::string row_line(std::size_t number, const SlowdownRow& r) {
  return " |" + centred(std::to_string(number), 3) + "|" + fit("  " + r.between, 28) + "|" +
         centred(std::to_string(r.start_m / 1000), 12) + "|" +
         centred(std::to_string(r.speed_kmh), 10) + "|" + centred(std::to_string(r.length_m), 9) +
         "|" + centred(r.whole_train ? "A" : "---", 12) + "|";
}

std::string line_name(std::string route_id) {
  std::replace(route_id.begin(), route_id.end(), '_', ' ');
  return route_id;
}

}  // namespace

std::vector<std::string> slowdown_order_lines(const Documents& d) {
  std::vector<std::string> lines{
      "",
      std::string(31, ' ') + "Modulo M. 3",
      std::string(27, ' ') + "ORDINE DI RALLENTAMENTO",
      " " + std::string(80, '_'),
      "  Linea  " + line_name(d.route_id),
      "",
      "  Si ordina al macchinista del treno " + d.train_number +
          " di effettura i seguenti rallentamenti",
      "  " + std::string(79, '_'),
      " |   |                            |Inizio dopo |          |         |            |",
      " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|",
      " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |",
      kRule};
  for (std::size_t i = 0; i < d.slowdowns.size(); ++i) {
    lines.push_back(row_line(i + 1, d.slowdowns[i]));
  }
  for (std::size_t i = d.slowdowns.size(); i < kFormRows; ++i) lines.push_back(kEmptyRow);
  lines.insert(lines.end(), {kRule, "", "              Prescrizioni specifiche",
                             " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
                             " B - Interessa anche la stazione di.......",
                             " D - Rallentamneto N. ... e N. ...  sono contigui",
                             " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
                             "     i giorni esclusi i seguenti:........."});
  return lines;
}

}  // namespace scenario::tool
