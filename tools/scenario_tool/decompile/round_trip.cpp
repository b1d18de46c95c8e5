#include "scenario_tool/decompile/round_trip.h"

#include "compiler/codes.h"
#include "compiler/compilation.h"
#include "compiler/header_slots.h"
#include "compiler/memorizza_percorso.h"
#include "platform/memory_file_system.h"
#include "scenario_tool/decompile/comparing_file_system.h"
#include "scenario_tool/decompile/first_difference.h"

namespace scenario::tool {

namespace {

// The folder of the compile in memory; nothing of it reaches the disk.
constexpr const char* kFolder = "round-trip";

std::string_view compiled(const MemoryFileSystem& fs, const std::string& path) {
  const std::string* bytes = fs.find(path);
  return bytes != nullptr ? std::string_view(*bytes) : std::string_view();
}

// The compile of the two sources into `fs`; false on a header conflict, which writes nothing.
bool compile_into(MemoryFileSystem& fs, Compilation& compilation, const std::string& line_source,
                  const std::string& train_source, bool with_line) {
  fs.put(line_source_path(compilation.names), line_source);
  fs.put(train_source_path(compilation.names), train_source);
  try {
    memorizza_percorso(compilation, with_line ? 1 : 0);
  } catch (const HeaderConflict&) {
    return false;
  }
  return true;
}

// Compared as they are written: true when all files come back byte for byte.
bool compiles_to(const std::string& line_source, const std::string& train_source,
                 const ScenarioNames& in_memory, const CompiledBytes& given) {
  ComparingFileSystem fs;
  fs.compare(track_file_path(in_memory), given.track);
  fs.compare(table_file_path(in_memory), given.table);
  if (given.line) fs.compare(line_file_path(in_memory), *given.line);
  Compilation compilation(in_memory, fs);
  if (!compile_into(fs, compilation, line_source, train_source, given.line.has_value())) {
    return false;
  }
  return fs.outcome(track_file_path(in_memory)).equal(given.track) &&
         fs.outcome(table_file_path(in_memory)).equal(given.table) &&
         (!given.line || fs.outcome(line_file_path(in_memory)).equal(*given.line));
}

}  // namespace

RoundTrip check_round_trip(const std::string& line_source, const std::string& train_source,
                           const ScenarioNames& names, const CompiledBytes& given) {
  const ScenarioNames in_memory{kFolder, names.route_id, names.train_number};
  if (compiles_to(line_source, train_source, in_memory, given)) return {true, {}};
  // Only to name the difference: compiled again, the files kept whole.
  MemoryFileSystem fs;
  Compilation compilation(in_memory, fs);
  if (!compile_into(fs, compilation, line_source, train_source, given.line.has_value())) {
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
  if (difference.empty()) difference = "the files differ";
  if (compilation.codes.any()) {
    const Code code = compilation.codes.last().code;
    difference += " (the sources compile with error " + to_string(code) + ": " +
                  std::string(code_meaning(code)) + ")";
  }
  return {false, difference};
}

}  // namespace scenario::tool
