// Everything `compile` has to say about two source texts, without touching a file: the
// compiler's codes, the dropped records, the check's warnings, the errors the search finds after
// the first, and with `check` the engineering findings. `compile` prints them; the language server
// publishes them on the lines of the open sources.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "compiler/compile_sources.h"
#include "scenario_tool/compile/diagnostics.h"

namespace scenario::tool {

struct SourceTexts {
  ScenarioIds ids;
  const std::string& line_text;
  const std::string& train_text;
  std::string line_source;  // the names the messages give the two files
  std::string train_source;
};

struct DiagnosticSettings {
  bool build_line = true;
  bool check = false;  // the engineering checks of `check` too
  std::set<std::string> silenced;
};

struct SourceDiagnostics {
  CompileResult result;
  std::vector<Diagnostic> diagnostics;  // in the order compile prints them
  // Where the findings of the engineering checks start in `diagnostics` (its size without them).
  std::size_t check_from = 0;
  // "reading stopped at FILE:LINE; ...", when a code stopped the reading on a line.
  std::optional<std::string> stopped;
};

SourceDiagnostics source_diagnostics(const SourceTexts& texts, const DiagnosticSettings& settings);

}  // namespace scenario::tool
