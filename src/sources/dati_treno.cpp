// The train description source: make-up, braking, sand, clock, adhesion, speed limits, stations
// with their timetable, slowdowns, signals and code drops of the run, as fixed lines.
#include "format/file_names.h"
#include "sources/contenuti.h"
#include "sources/writers.h"

namespace scenario {

LineList contenuto_treno() {
  LineList lines{
      // Title
      "                  Treno 24863 percorso Valdora S.T.V. Lusa C.le",
      "",
      "inizio_dati",
      // General values
      "[generale]",
      "numero vetture,    6",
      "percentuale massa frenata,    120",
      "sabbia,    0",
      "orologio,    19              4             30 ",
      // Adhesion
      "[aderenze] ",
      "aderenza,  0, 100",
      "aderenza,  15000, 70",
      // Line speed limits
      "[vel_limite]",
      "velocita' limite ,     0    ,  30",
      "velocita' limite ,   500    ,  115",
      "velocita' limite ,  2760    ,   95",
      "velocita' limite ,  7380    ,  130",
      "velocita' limite , 15000    ,  115",
      "velocita' limite , 17000    ,  100",
      "velocita' limite , 18600    ,   90",
      "velocita' limite , 20800    ,   80",
      "velocita' limite , 22150    ,   90",
      "velocita' limite , 27560    ,  150",
      "velocita' limite , 30000    ,  160",
      "velocita' limite , 32600    ,  150",
      "velocita' limite , 34700    ,  160",
      "velocita' limite , 42150    ,  150",
      "velocita' limite , 47960    ,  130",
      "velocita' limite , 50740    ,  160",
      "velocita' limite , 60550    ,  150",
      "velocita' limite , 62600    ,  160",
      "velocita' limite , 67100    ,  150",
      "velocita' limite , 70650    ,  130",
      "",
      // Stations
      "[stazioni]",
      "-           pos. tipo lung. t  t  m    d d r   d d d   a   o  o  o   nome"
      "                                     ,",
      "-                           p  a  a    2 3 a   1 2 3   c   r  r  r",
      "-                           s  b  r        p               o  m  s",
      "stazione,      0,  8, 400,  1, 0, 0,   4,0,0,  2,1,0,  1, 19,05, 0, VALDORA S.T.V.",
      "Stazione,   2750,  2, 600,  1, 0, 1,   4,1,0,  2,1,1, 40, 19,11, 0, VALDORA CORVELI",
      "stazione,   7400,  4, 500,  0, 0, 1,   1,1,0,  3,1,1,170,  0, 0, 0, VALDORA PRASINE",
      "stazione,  11950, 28, 400,  0, 0, 0,   0,0,0,  0,0,0,  0,  0, 0, 0, S.FELDINO",
      "stazione,  15900, 12, 600,  1, 0, 1,   3,1,0,  2,1,1, 60, 19,23, 0, MERVA",
      "stazione,  19150, 28, 300,  0, 0, 0,   0,0,0,  0,0,0,  0,  0, 0, 0, FONTEGRAVO",
      "stazione,  27550, 22, 400,  0, 0, 0,   0,0,0,  4,1,1, 40, 19,33, 0, SASSOLEGO",
      "stazione,  33800,  4, 600,  0, 0, 0,   1,1,0,  4,1,1, 60, 19,40, 0, ORVENA",
      "stazione,  43400, 22, 500,  0, 0, 0,   1,1,0,  4,1,1, 40, 19,47, 0, S.CORSIGO",
      "stazione,  49300, 22, 600,  0, 0, 0,   1,1,0,  4,1,1, 30, 19,53, 0, S.TEBALO",
      "stazione,  56800, 28, 300,  0, 0, 0,   0,0,0,  0,0,0,  0,  0, 0, 0, LA BRISA",
      "stazione,  61400,  4, 600,  1, 0, 0,   3,1,0,  2,1,1, 95, 20, 3, 0, MARZELONE",
      "stazione,  68300, 22, 400,  0, 0, 0,   1,1,0,  3,1,1, 40, 20,10, 0, PERLADA",
      "stazione,  70650, 28, 300,  0, 0, 0,   0,0,0,  0,0,0,  0,  0, 0, 0, S.BALDIERO",
      "stazione,  73200, 22, 400,  0, 0, 0,   1,1,0,  3,1,1,230,  0, 0, 0, CORNETOLA",
      "stazione,  80850,  2, 700,  1, 0, 0,   1,1,0,  4,1,1,  0, 20,22, 0, LUSA C.le",
      "",
      // Slowdowns
      "[rallentamenti]",
      "rallentamento,  10500, 30, 150, 1, 1, 0",
      "rallentamento,  48400, 40, 2500, 0, 1, 0",
      "rallentamento,  75500, 30, 200, 0, 1, 0",
      // Signals
      "[segnali]",
      "",
      "",
      "-                1                     destra",
      "-                a  d1 d2 d3 ra       d1 d2 d3 ac",
      "-                v",
      "segnale,   1000, 1, 3, 4, 0, 0,     0, 0, 0, 0, 0",
      "segnale,   2100, 2, 2, 3, 1, 0,     2, 2, 1, 1, 0",
      "segnale,   4600, 2, 4, 1, 0, 0,     2, 2, 1, 0, 0",
      "segnale,   6400, 2, 3, 1, 1, 0,     2, 2, 1, 1, 0",
      "segnale,   9800, 2, 4, 0, 0, 0,     2, 1, 0, 0, 190",
      "segnale,  11750, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0",
      "segnale,  13700, 2, 3, 4, 0, 0,     2, 2, 1, 0, 0",
      "segnale,  15100, 2, 2, 3, 1, 0,     2, 2, 1, 1, 0",
      "",
      "segnale,  18050, 2, 3, 0, 0, 0,     2, 1, 0, 0, 250",
      "segnale,  20000, 2, 3, 0, 0, 0,     2, 1, 0, 0, 190",
      "segnale,  21950, 2, 4, 0, 0, 0,     2, 1, 0, 0, 120",
      "segnale,  23500, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0",
      "segnale,  24850, 2, 4, 1, 0, 0,     2, 2, 1, 0, 0",
      "segnale,  25950, 2, 3, 1, 1, 0,     2, 2, 1, 1, 0",
      "",
      "segnale,  29450, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0",
      "segnale,  31250, 2, 4, 1, 0, 0,     2, 2, 1, 0, 0",
      "segnale,  32600, 2, 3, 1, 1, 0,     2, 2, 1, 1, 0",
      "",
      "segnale,  35750, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0",
      "segnale,  37700, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0",
      "segnale,  39450, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0",
      "segnale,  40800, 2, 4, 1, 0, 0,     2, 2, 1, 0, 0",
      "segnale,  42150, 2, 3, 1, 1, 0,     2, 2, 1, 1, 0",
      "",
      "segnale,  45150, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0",
      "segnale,  46600, 2, 4, 1, 0, 0,     2, 2, 1, 0, 0",
      "segnale,  47950, 2, 3, 1, 1, 0,     2, 2, 1, 1, 0",
      "",
      "segnale,  51100, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0",
      "segnale,  52500, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0",
      "segnale,  54350, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0",
      "segnale,  55800, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0",
      "segnale,  57650, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0",
      "segnale,  59050, 2, 3, 4, 0, 0,     2, 2, 1, 0, 0",
      "segnale,  60550, 2, 2, 3, 1, 0,     2, 2, 1, 1, 0",
      "",
      "segnale,  63200, 2, 4, 0, 0, 0,     2, 1, 0, 0, 180",
      "segnale,  64200, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0",
      "segnale,  65550, 2, 4, 1, 0, 0,     2, 2, 1, 0, 0",
      "segnale,  67100, 2, 3, 1, 1, 0,     2, 2, 1, 1, 0",
      "",
      "segnale,  70300, 2, 4, 1, 0, 0,     2, 2, 1, 0, 220",
      "segnale,  71500, 2, 3, 1, 1, 0,     2, 2, 1, 1, 0",
      "",
      "segnale,  74800, 2, 4, 0, 0, 0,     2, 1, 0, 0, 190",
      "segnale,  76150, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0",
      "segnale,  77500, 2, 5, 6, 0, 0,     2, 2, 1, 0, 0",
      "segnale,  79150, 2, 2, 3, 1, 1,     2, 2, 1, 1, 0",
      // Code drops
      "[codici]",
      "abbattimento codice,76250,0  ",
      "",
      "[fine]",
      "",
  };
  lines.close();
  return lines;
}

void dati_treno(const ScenarioNames& names, FileSystem& fs) {
  scrivi_righe(fs, train_source_path(names), contenuto_treno());
}

}  // namespace scenario
