// What generatore does with arguments: it takes none for its run, and answers --help and
// --version without touching a file.
#pragma once

#include <optional>
#include <ostream>

namespace scenario {

// The exit status when the arguments end the program before the run (help, version, wrong
// usage); none when the run goes ahead (no arguments).
std::optional<int> answer_arguments(int argc, const char* const* argv, const char* version,
                                    std::ostream& out, std::ostream& err);

}  // namespace scenario
