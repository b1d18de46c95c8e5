// Every error of both sources in one run. The compiler stops reading at its first error, as the
// generator needs it to; to find the errors after it, the tool compiles copies of the sources
// again with each failing record blanked out (its line left empty, so that line numbers hold),
// diagnostics only, until a compile gets through or an error names no line.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "compiler/compile_sources.h"
#include "scenario_tool/compile/diagnostics.h"

namespace scenario::tool {

// The text with its 1-based line `line` emptied, its line end kept.
std::string blank_line(std::string text, int line);

struct ErrorSearch {
  ScenarioIds ids;
  const std::string& line_text;  // the first compile's sources: copied, never changed
  const std::string& train_text;
  bool build_line = true;
  const std::set<std::string>& silenced;
  int cap = 100;  // compiles at most
};

// The error that stopped the reading of a compile: the first code heard, where the merge put it.
std::optional<Diagnostic> stopping_error(const CompileListener& heard,
                                         const std::vector<Diagnostic>& merged);

// The errors after `first` (the first compile's diagnostics, as `heard`), each once, in the order
// found: the codes that stopped each later compile, and the records those compiles dropped.
std::vector<Diagnostic> further_errors(const ErrorSearch& search, const CompileListener& heard,
                                       const std::vector<Diagnostic>& first);

// `all` (the first compile's diagnostics, as `heard`) with the further errors, in the order of
// the sources and their lines.
void add_further_errors(std::vector<Diagnostic>& all, const ErrorSearch& search,
                        const CompileListener& heard);

}  // namespace scenario::tool
