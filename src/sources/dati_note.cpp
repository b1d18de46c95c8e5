// The route notes handed to the driver, as fixed lines.
#include "sources/contenuti.h"

namespace scenario {

LineList contenuto_note() {
  return closed_list({
      "                Treno 24863 sul percorso Valdora S.T.V.  Lusa C.le",
      "",
      " Alcune precisazioni su questo percorso:",
      " - In realta` il treno non termina a Lusa Centrale, ma arriva a Castrea",
      " - Il documento 'Scheda Treno', in estensione a tutte le linee FS, su questa",
      "   linea ancora non esiste.",
      " - L'impostazione dell'orario prevede che la locomotiva di questo treno sia",
      "   un 646. ",
      " Il percorso e` 'movimentato'.",
      " La locomotiva non ha sabbia.",
      " Le condizioni di aderenza sono buone fino al chilometro 15.000,",
      " poi diventano cattive fino alla fine del percorso.",
  });
}

}  // namespace scenario
