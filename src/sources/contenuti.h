// The built-in content of the five text files: one line list each, closed by the end marker.
// The writers pass these lists to scrivi_righe; tests inspect them directly.
#pragma once

#include "sources/scrivi_righe.h"

namespace scenario {

LineList contenuto_linea();          // the line description source
LineList contenuto_treno();          // the train description source
LineList contenuto_note();           // the route notes
LineList contenuto_rallentamenti();  // the slowdown order form
LineList contenuto_scheda();         // the timetable sheet

}  // namespace scenario
