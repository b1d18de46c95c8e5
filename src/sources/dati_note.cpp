// The route notes handed to the driver, as fixed lines.
#include "format/file_names.h"
#include "sources/contenuti.h"
#include "sources/writers.h"

namespace scenario {

LineList contenuto_note() {
  LineList lines{
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
  };
  lines.close();
  return lines;
}

void dati_note(const ScenarioNames& names, FileSystem& fs) {
  scrivi_righe(fs, notes_path(names), contenuto_note());
}

}  // namespace scenario
