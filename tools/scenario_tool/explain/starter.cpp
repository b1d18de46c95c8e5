#include "scenario_tool/explain/starter.h"

#include <vector>

namespace scenario::tool {

namespace {

// Comments hold no comma (after a comma a field is read as a keyword again) and no record
// keyword (every third comment in a row is tested as one).
std::string crlf(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

}  // namespace

std::string starter_line_source(const std::string& route_id) {
  return crlf({
      "Percorso " + route_id,
      "- A line whose first field holds a minus sign is a comment. Keep commas out of comments.",
      "- The full reference of every record is in docs/source-format.md.",
      "inizio_dati",
      "",
      "[generale]",
      "- length: the route length in metres; the track runs on 7000 m past it",
      "lunghezza percorso,                6000",
      "- kilometre points: start m / end m (multiples of 50) / pos (1 adds 100 m to the end)",
      "progressiva chilometrica uno,      0, 0, 0",
      "progressiva chilometrica due,      0, 0, 0",
      "progressiva chilometrica tre,      0, 0, 0",
      "- background: the scenery selectors one to three",
      "sfondo uno,                        1",
      "sfondo due,                        0",
      "sfondo tre,                        0",
      "- code repetition from start m to end m (multiples of 50); the digit picks 4 or 9 codes",
      "ripetizione segnali 4 codici,      1000, 5000",
      "",
      "[pendenze]",
      "- from position m on: the gradient in per mille (rising positive)",
      "pendenza,  0,     0",
      "pendenza,  1500,  5",
      "pendenza,  2500,  0",
      "",
      "[curve]",
      "- keyword: s left or d right and class 1 (radius 10000 m) to 6 (333 m); start m / length m",
      "curvas3,   1500,  300",
      "curvad4,   3000,  200",
      "",
      "[cartelli]",
      "- board at posizione m: vas vbs vcs left speeds a b c in km/h / strisces left stripes /",
      "- vad vbd vcd right speeds a b c / strisced right stripes",
      "indicatori_vmax,  2800,  80, 80, 80, 0,  80, 80, 80, 0",
      "",
      "[montagne]",
      "- inizio m / fine m / tipo (1 or 2; 10 more for markers)",
      "montagna,  2000,  2400,  1",
      "",
      "[indicazioni]",
      "- sign at position m / text: its inscription",
      "cartello indicatore,  1000,  (  Km. ) (1.000)",
      "[fine]",
  });
}

std::string starter_train_source(const std::string& route_id, const std::string& train_number) {
  return crlf({
      "Treno " + train_number + " sul percorso " + route_id,
      "- A line whose first field holds a minus sign is a comment. Keep commas out of comments.",
      "inizio_dati",
      "",
      "[generale]",
      "- count: the number of coaches",
      "numero vetture,             6",
      "- percentage: the braked mass in per cent",
      "percentuale massa frenata,  120",
      "- sand on board: 1 yes / 0 no",
      "sabbia,                     1",
      "- the clock at the start: hours minutes seconds",
      "orologio,                   8 0 0",
      "",
      "[aderenze]",
      "- from position m on: the adhesion (100 good rail; lower where it is poor)",
      "aderenza,  0, 100",
      "",
      "[vel_limite]",
      "- from position m on: the line speed limit in km/h (steps of 5)",
      "velocita' limite,     0,  100",
      "velocita' limite,  3000,   80",
      "",
      "[stazioni]",
      "- pos m (multiple of 50) / tipo / lung m (multiple of 100) / tps tab mar / d2a d3a / rap /",
      "- d1b d2b d3b / ac / oro orm ors: the time (0 0 0 where the train does not stop) / nome",
      "stazione,   500,  2, 600,  1, 0, 0,  4, 1, 0,  2, 1, 0,   1,  8, 1, 0,  PARTENZA",
      "stazione,  5000,  2, 600,  1, 0, 0,  1, 1, 0,  4, 1, 1,   0,  8, 9, 0,  ARRIVO",
      "",
      "[rallentamenti]",
      "- x m / v km/h / l m / f_tt (1: with the whole train) / f_ta (1: announced) / d_v",
      "rallentamento,  3500, 30, 200, 1, 1, 0",
      "",
      "[segnali]",
      "- posizione m / left side: sx s1 s2 s3 rapp / right side: dx d1 d2 d3 / tempo s",
      "segnale,  1200,  2, 4, 0, 0, 0,  2, 1, 0, 0,  0",
      "",
      "[codici]",
      "- position m / code: its value (below 1: a cut to zero)",
      "abbattimento codice,  4500, 0",
      "[fine]",
  });
}

}  // namespace scenario::tool
