#include "generatore_arguments.h"

#include <string_view>

namespace scenario {

namespace {

constexpr int kUsage = 64;

constexpr std::string_view kHelp =
    "Usage: generatore [--help | --version]\n"
    "\n"
    "Writes the built-in scenario, the line Valdora-Lusa and train 24863, into the folder that\n"
    "holds the program: three driver documents (ROUTE_TRAIN_note.txt, _rallentamenti.txt,\n"
    "_scheda_treno.txt) and the three files the simulator loads (ROUTE_linea.dat, "
    "ROUTE_TRAIN.sim,\n"
    "ROUTE_TRAIN.dat). The two text sources exist only while it runs. It shows a wait window\n"
    "(\"Attendere\"); without a display it writes to standard error instead. It takes no\n"
    "arguments for its run.\n"
    "\n"
    "Exit status:\n"
    "  0   the run ended and recorded no error code\n"
    "  1   a header conflict was shown (\" Errore n. 1250\" or 1251); no compiled file was "
    "written\n"
    "  2   the run recorded an error code, named on standard error; the files were written\n"
    "  3   a file could not be created or written; the old file is untouched\n"
    "  64  wrong usage: an argument other than --help or --version\n"
    "\n"
    "scenario_tool compiles, inspects and draws scenarios of your own.\n";

}  // namespace

std::optional<int> answer_arguments(int argc, const char* const* argv, const char* version,
                                    std::ostream& out, std::ostream& err) {
  if (argc <= 1) return std::nullopt;
  const std::string_view first = argv[1];
  if (argc == 2 && (first == "--help" || first == "-h")) {
    out << kHelp;
    return 0;
  }
  if (argc == 2 && first == "--version") {
    out << "generatore " << version << "\n";
    return 0;
  }
  err << "generatore: it takes no arguments, but was given \"" << first
      << "\"; nothing was done (generatore --help tells more)\n";
  return kUsage;
}

}  // namespace scenario
