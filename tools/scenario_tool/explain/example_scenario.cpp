#include "scenario_tool/explain/example_scenario.h"

#include <algorithm>

namespace scenario::tool {

namespace {

using Lines = std::vector<std::string>;

const Lines kGeneral{"lunghezza percorso, 20000", "sfondo uno, 1"};
const Lines kTrainGeneral{"numero vetture, 6", "percentuale massa frenata, 120",
                          "sabbia, 0",         "orologio, 8 0 0",
                          "aderenza, 0, 100",  "velocita' limite, 0, 100"};

std::string crlf(const Lines& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

Lines line_lines(const CodeExample& e) {
  Lines out{"Linea di esempio", "inizio_dati"};
  if (!e.no_general_header) out.push_back("[generale]");
  for (const std::string& l : e.general.empty() ? kGeneral : e.general) out.push_back(l);
  out.push_back("[tracciato]");
  out.push_back("pendenza, 1000, 0");
  for (const std::string& l : e.line) out.push_back(l);
  out.push_back("[fine]");
  return out;
}

Lines train_lines(const CodeExample& e, const Lines& general) {
  Lines out{"Treno di esempio", "inizio_dati", "[generale]"};
  for (const std::string& l : general) out.push_back(l);
  out.push_back("[fine]");
  out.insert(out.end() - 1, e.train.begin(), e.train.end());
  return out;
}

}  // namespace

ExampleSources example_sources(const CodeExample& example) {
  ExampleSources s;
  const Lines line = line_lines(example);
  if (!example.no_line_source) s.line = crlf(line);
  s.train = crlf(train_lines(example, kTrainGeneral));
  s.line_record_line = static_cast<int>(line.size() - example.line.size());
  s.train_record_line = static_cast<int>(3 + kTrainGeneral.size() + 1);
  return s;
}

ExampleSources example_sources_without(const std::string& left_out) {
  ExampleSources s = example_sources({});
  if (left_out == "[generale]" || left_out == "[generle]") {
    Lines train{"Treno di esempio", "inizio_dati"};
    if (left_out != "[generale]") train.push_back(left_out);
    for (const std::string& l : kTrainGeneral) train.push_back(l);
    train.push_back("[fine]");
    s.train = crlf(train);
    return s;
  }
  Lines general = kTrainGeneral;
  std::erase_if(general, [&](const std::string& l) { return l.starts_with(left_out); });
  s.train = crlf(train_lines({}, general));
  return s;
}

}  // namespace scenario::tool
