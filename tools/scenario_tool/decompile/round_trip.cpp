#include "scenario_tool/decompile/round_trip.h"

#include "compiler/codes.h"
#include "compiler/compile_sources.h"
#include "scenario_tool/decompile/comparing_sink.h"
#include "scenario_tool/decompile/first_difference.h"

namespace scenario::tool {

namespace {

// The given bytes of one kind of compiled file; null when the scenario has no line file.
const std::string* given_file(const CompiledBytes& given, CompiledFileKind kind) {
  switch (kind) {
    case CompiledFileKind::line:
      return given.line ? &*given.line : nullptr;
    case CompiledFileKind::table:
      return &given.table;
    case CompiledFileKind::track:
      break;
  }
  return &given.track;
}

// Compared as they are written: true when all files come back byte for byte.
bool compiles_to(const CompileResult& result, const CompiledBytes& given) {
  const std::vector<CompiledFile> files = result.files();
  if (files.size() != (given.line ? 3u : 2u)) return false;
  for (const CompiledFile& file : files) {
    const std::string* expected = given_file(given, file.kind);
    if (expected == nullptr) return false;
    ComparingSink sink(*expected);
    file.write(sink);
    if (!sink.equal()) return false;
  }
  return true;
}

// The first difference, in the terms of the file it lies in.
std::string first_difference(const CompileResult& result, const CompiledBytes& given) {
  const CompiledFileBytes rebuilt = result.file_bytes();
  std::string difference = track_difference(given.track, rebuilt.track);
  if (difference.empty()) difference = table_difference(given.table, rebuilt.table);
  if (difference.empty() && given.line) {
    difference = line_difference(*given.line, rebuilt.line.value_or(std::string()));
  }
  if (difference.empty()) difference = "the files differ";
  return difference;
}

}  // namespace

RoundTrip check_round_trip(const std::string& line_source, const std::string& train_source,
                           const ScenarioNames& names, const CompiledBytes& given) {
  const CompileResult result =
      compile_sources({{names.route_id, names.train_number},
                       {SourceText::of(line_source), SourceText::of(train_source)},
                       {.build_line = given.line.has_value()}});
  if (result.header_conflict) {
    return {false, "the sources end in a header conflict (error " + to_string(result.code.code) +
                       ") and compile to no files"};
  }
  if (compiles_to(result, given)) return {true, {}};
  std::string difference = first_difference(result, given);
  if (result.code.code != Code::none) {
    const Code code = result.code.code;
    difference += " (the sources compile with error " + to_string(code) + ": " +
                  std::string(code_meaning(code)) + ")";
  }
  return {false, difference};
}

}  // namespace scenario::tool
