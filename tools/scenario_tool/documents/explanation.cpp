#include "scenario_tool/documents/explanation.h"

namespace scenario::tool {

std::string documents_explanation() {
  return "documents: the driver's papers of a compiled scenario\n"
         "\n"
         "  scenario_tool documents SCENARIO [-o DIR] [--json] [--notes FILE]\n"
         "                         [--sources LINE TRAIN]\n"
         "\n"
         "writes ROUTE_TRAIN_scheda_treno.txt, ROUTE_TRAIN_rallentamenti.txt and\n"
         "ROUTE_TRAIN_note.txt in the layouts of the built-in scenario's papers (CR LF, 8-bit).\n"
         "\n"
         "Timetable sheet: the train number, the first and last stations, the highest line\n"
         "  speed limit met (with --rank after it), the braked-mass percentage of the table;\n"
         "  --classification and --braked-mass fill the boxes the files do not hold. One row per\n"
         "  station in line order, per change of the line speed limit (Cippo chilometro at a\n"
         "  whole km), for the last signal within 2 km before each stop (Seg. protezione), and a\n"
         "  km post at each 10 km more than 5 km from every other row. Times follow check's\n"
         "  running-time model (limits, slowdowns, gradients, adhesion, the braked mass, --accel,\n"
         "  --decel, --dwell at each stop) held to the curves, from the first station's time,\n"
         "  fitted to the timetable's times. Vel. Marc.: the model's top speed to the next row;\n"
         "  Rec: the timetable's margin over the model up to a timed station, in half minutes.\n"
         "Slowdown order: one row per slowdown, between the stations of types below 25 around\n"
         "  it, the kilometre post before its start, speed, length, A when f_tt is 1.\n"
         "Notes: sand, adhesion (100 good, below poor) along the run, tunnels, the steepest\n"
         "  gradient, then the lines of --notes FILE.\n"
         "Messages about a record name FILE:LINE of it when the sources are given (--sources) or\n"
         "  lie beside the compiled files.\n"
         "\n"
         "See docs/documents.md.\n";
}

}  // namespace scenario::tool
