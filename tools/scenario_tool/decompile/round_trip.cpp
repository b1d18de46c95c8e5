#include "scenario_tool/decompile/round_trip.h"

#include "compiler/codes.h"
#include "compiler/compilation.h"
#include "compiler/header_slots.h"
#include "compiler/memorizza_percorso.h"
#include "platform/memory_file_system.h"
#include "scenario_tool/decompile/first_difference.h"

namespace scenario::tool {

namespace {

// The folder of the compile in memory; nothing of it reaches the disk.
constexpr const char* kFolder = "round-trip";

std::string compiled(const MemoryFileSystem& fs, const std::string& path) {
  const std::string* bytes = fs.find(path);
  return bytes != nullptr ? *bytes : std::string();
}

}  // namespace

RoundTrip check_round_trip(const std::string& line_source, const std::string& train_source,
                           const ScenarioNames& names, const CompiledBytes& given) {
  const ScenarioNames in_memory{kFolder, names.route_id, names.train_number};
  MemoryFileSystem fs;
  fs.put(line_source_path(in_memory), line_source);
  fs.put(train_source_path(in_memory), train_source);
  Compilation compilation(in_memory, fs);
  try {
    memorizza_percorso(compilation, given.line ? 1 : 0);
  } catch (const HeaderConflict&) {
    return {false, "the sources end in a header conflict (error " +
                       to_string(compilation.codes.last().code) + ") and compile to no files"};
  }
  std::string difference = track_difference(given.track, compiled(fs, track_file_path(in_memory)));
  if (difference.empty()) {
    difference = table_difference(given.table, compiled(fs, table_file_path(in_memory)));
  }
  if (difference.empty() && given.line) {
    difference = line_difference(*given.line, compiled(fs, line_file_path(in_memory)));
  }
  if (difference.empty()) return {true, {}};
  if (compilation.codes.any()) {
    const Code code = compilation.codes.last().code;
    difference += " (the sources compile with error " + to_string(code) + ": " +
                  std::string(code_meaning(code)) + ")";
  }
  return {false, difference};
}

}  // namespace scenario::tool
