// The check every decompile makes of itself: the sources it wrote, compiled in memory by the
// generator's own compiler, against the files it was given, byte for byte.
#pragma once

#include <optional>
#include <string>

#include "format/file_names.h"

namespace scenario::tool {

// The bytes of the three compiled files; no line file for a scenario compiled without one.
struct CompiledBytes {
  std::string track;
  std::string table;
  std::optional<std::string> line;
};

struct RoundTrip {
  bool exact = false;
  // When not exact: the first difference, naming the track cell, table entry or line metre.
  std::string difference;
};

// `names` gives the identifiers (its folder is not used). The line file is built only when
// `given` has one.
RoundTrip check_round_trip(const std::string& line_source, const std::string& train_source,
                           const ScenarioNames& names, const CompiledBytes& given);

}  // namespace scenario::tool
