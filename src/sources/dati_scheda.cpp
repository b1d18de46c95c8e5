// The timetable sheet handed to the driver, as fixed lines.
#include "format/file_names.h"
#include "sources/contenuti.h"
#include "sources/writers.h"

namespace scenario {

LineList contenuto_scheda() {
  LineList lines{
      // Header boxes
      "",
      " ",
      "  ___________________                                                ______________",
      " |                   |                  SCHEDA                      |              |",
      " |   TRENO n. 24863  |                da: VALDORA S.T.V.            |    V160 B    |",
      " |___________________|                 a: LUSA C.le                 |     120%     |",
      "                                                                    |______________|",
      "  ___________________                ___________________ ",
      " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ",
      " |     REGIONALE     |              |      300T         |",
      " |___________________|              |___________________|  ",
      // Timetable
      "",
      "  ________________________________________________________________________________",
      " | Vel.| Vel.| Progr Km | No  |  Localita' di Servizio     |    Orario      | Rec |",
      " | Lim.|Marc.|          | Rs  |                            |                |     |",
      " |_____|_____|__________|_____|____________________________|________________|_____|",
      " |  30 |     |    0     |  30 | VALDORA S.T.V.             |          19.05 |     |",
      " | 115 |     |    0.600 | 115 | Deviatoio di uscita        |      19.07     |     |",
      " |  95 |     |    2.760 |  95 | VALDORA CORVELI            | 19.10    19.11 | 0.5 |",
      " | 130 |     |    7.380 | 120 | VALDORA PRASINE            |      19.16     | 2   |",
      " |     |     |   11.970 |     | S. FELDINO                 |      19.19     |     |",
      " | 115 |     |   15.000 | 115 | Cippo chilometro 15.000    |      19.20     |     |",
      " |     |     |          |     | MERVA                      | 19.22    19.23 | 0.5 |",
      " | 100 |     |   17.000 | 100 | Cippo chilometro 17.000    |      19.24     |     |",
      " |  90 |     |   18.600 |  90 | Km 18.600                  |      19.25     |     | ",
      " |     |     |   19.150 |     | FONTEGRAVO                 |      19.26     |     |",
      " |  80 |     |   20.800 |  80 | Km 20.800                  |      19.27     |     |",
      " |  90 |     |   22.150 |  90 | P.te fiume Omba Km 22.15   |      19.28     |     |",
      " | 150 |     |   27.560 | 120 | SASSOLEGO B.no             | 19.32    19.33 |     |",
      " | 160 |     |   30.000 |     | Cippo chilometro 30.000    |      19.35     |     |",
      " | 150 |     |   32.600 |     | Seg. protezione Orvena     |      19.36     |     |",
      " |     |     |   33.780 |     | ORVENA                     | 19.39    19.40 | 1   |",
      " | 160 |     |   34.700 |     | Km. 34.700                 |      19.42     |     |",
      " | 150 |     |   42.150 |     | Seg. protezione S.Corsigo  |      19.45     |     | ",
      " |     |     |   43.400 |     | S.CORSIGO                  | 19.46    19.47 |     |",
      " | 130 |     |   47.950 |     | Seg. protezione S.Tebalo   |      19.51     |     | ",
      " |     |     |   49.320 |     | S.TEBALO                   | 19.52    19.53 | 0.5 |",
      " | 160 |     |   50.740 |     | Km. 50.740                 |      19.55     |     |",
      " |     |     |   56.810 |     | La BRISA                   |      19.58     | 1   |",
      " | 150 |     |   60.570 |     | Seg. protezione Marzelone  |      20.01     |     |",
      " |     |     |   61.420 |     | MARZELONE                  | 20.02    20.03 | 1   | ",
      " | 160 |     |   62.600 |     | Km. 62.600                 |      20.04     |     |",
      " | 150 |     |   67.100 |     | Km. 67.100                 |      20.08     |     | ",
      " |     |     |   68.300 |     | PERLADA                    | 20.09    20.10 | 1   | ",
      " | 130 |     |   70.650 |     | S.BALDIERO                 |      20.13     | 1   |  ",
      " |     |     |   73.200 |     | CORNETOLA                  |      20.15     | 0.5 | ",
      " |     |     |   80.840 |     | LUSA                       | 20.22          | 1.5 |",
      " |_____|_____|__________|_____|____________________________|________________|_____|",
  };
  lines.close();
  return lines;
}

void dati_scheda(const ScenarioNames& names, FileSystem& fs) {
  scrivi_righe(fs, timetable_path(names), contenuto_scheda());
}

}  // namespace scenario
