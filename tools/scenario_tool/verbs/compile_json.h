// `compile --json`: the diagnostics of a compile as data, each the same object as a finding of
// `check --json` (schemas/diagnostic.schema.json), with the files written and the code recorded.
#pragma once

#include <string>
#include <vector>

#include "compiler/code_log.h"
#include "run/write_compiled_files.h"
#include "scenario_tool/compile/diagnostics.h"
#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {

// The document, indented, ending in a newline (schemas/compile.schema.json).
std::string compile_json(const CompileOptions& options, const std::vector<Diagnostic>& diagnostics,
                         const std::vector<WrittenFile>& written, const RecordedCode& recorded);

}  // namespace scenario::tool
