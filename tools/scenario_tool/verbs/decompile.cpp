// `decompile`: the two sources back from the three compiled files of a scenario, checked by
// compiling them in memory against the files they came from.
#include <CLI/CLI.hpp>
#include <variant>

#include "compiler/codice_gara.h"
#include "scenario_tool/decompile/portable_names.h"
#include "scenario_tool/decompile/recover.h"
#include "scenario_tool/decompile/round_trip.h"
#include "scenario_tool/decompile/source_text.h"
#include "scenario_tool/scenario/consistency.h"
#include "scenario_tool/scenario/open_scenario.h"
#include "scenario_tool/scenario/reporter.h"
#include "scenario_tool/scenario/scenario_files.h"
#include "scenario_tool/verbs/guarded.h"
#include "scenario_tool/verbs/identifiers.h"
#include "scenario_tool/verbs/source_files.h"
#include "scenario_tool/verbs/verb_table.h"
#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {

namespace {

constexpr const char* kVerb = "decompile";

// Files that each decode but cannot come from one compile: their sizes disagree, the header
// values are not the compiler's, or the track's competition code is another scenario's.
void check_belonging(const LoadedScenario& s) {
  const std::vector<std::string> disagreements = consistency_warnings(s);
  if (!disagreements.empty()) {
    throw Unrecoverable("the files are not of one scenario: " + disagreements.front());
  }
  if (s.track->size() <= header_cell) {
    throw Unrecoverable("the track file holds " + std::to_string(s.track->size()) +
                        " cell(s); every compile writes the header into cell 1");
  }
  const SimTable& table = *s.table;
  const TrackCell& header = (*s.track)[header_cell];
  if (table[table_entry::route].d2a != table_header_value) {
    throw Unrecoverable("table entry 85 holds " + std::to_string(table[table_entry::route].d2a) +
                        " where every compile stores " + std::to_string(table_header_value));
  }
  if (header.value1 != track_header_value) {
    throw Unrecoverable("track cell 1 holds " + std::to_string(header.value1) +
                        " where every compile stores " + std::to_string(track_header_value));
  }
  if (table[table_entry::route].time_s != codice_gara_st(table)) {
    throw Unrecoverable("the table's competition code is not that of its own identifiers");
  }
  if (header.value2 != codice_gara_og(table)) {
    throw Unrecoverable(
        "the track file's competition code is not that of the table's "
        "identifiers (route " +
        table[table_entry::route].name + ", train " + table[table_entry::codes].name +
        "): the files are of two scenarios");
  }
  for (const std::string& id : {table[table_entry::route].name, table[table_entry::codes].name}) {
    if (!valid_identifier(id)) {
      throw Unrecoverable("the table's identifier \"" + id + "\" cannot be part of a file name");
    }
  }
}

std::optional<std::string> needs_track_and_table(const ScenarioFiles& files) {
  if (files[FileRole::track] && files[FileRole::table]) return std::nullopt;
  return "needs the track file (.dat) and the table file (.sim) of the scenario";
}

// The bytes as read by the load, moved out of it for the comparison.
CompiledBytes given_bytes(LoadedScenario& s) {
  const auto take = [&](FileRole role) {
    return std::move(*s.bytes[static_cast<std::size_t>(role)]);
  };
  CompiledBytes bytes{take(FileRole::track), take(FileRole::table), std::nullopt};
  if (s.line_steps) bytes.line = take(FileRole::line);
  return bytes;
}

int decompile(const DecompileOptions& options, FileSystem& fs, std::ostream& out,
              std::ostream& err) {
  // Decompiling needs only the line's steps, not its geometry.
  auto opened = open_scenario(
      options.paths, kVerb, fs, err,
      {.load = {.keep_bytes = true, .line_steps_only = true}, .refuse = needs_track_and_table});
  if (const int* failed = std::get_if<int>(&opened)) return *failed;
  if (const int status = std::get<OpenedScenario>(opened).status; status != 0) return status;
  LoadedScenario& scenario = std::get<OpenedScenario>(opened).loaded;
  const LineSteps* line = scenario.line_steps ? &*scenario.line_steps : nullptr;
  RecoveredScenario recovered;
  try {
    check_belonging(scenario);
    recovered = recover_scenario(*scenario.track, *scenario.table, line);
  } catch (const Unrecoverable& e) {
    report_error(err, e.what());
    return exit_code::damaged_file;
  }
  const std::string line_text = line_source_text(recovered);
  const std::string train_text = train_source_text(recovered);
  const RoundTrip check =
      check_round_trip(line_text, train_text, recovered.names, given_bytes(scenario));

  const ScenarioNames names{options.out_dir, portable_name_part(recovered.names.route_id),
                            portable_name_part(recovered.names.train_number)};
  if (const int status = write_source_files(
          fs, options.out_dir,
          {{line_source_path(names), line_text}, {train_source_path(names), train_text}},
          options.force, out, err);
      status != 0) {
    return status;
  }
  for (const std::string& w : recovered.unexpressible) {
    err << kVerb << ": warning: no source can express this: " << w << '\n';
  }
  if (line == nullptr) {
    out << "no line file: the sources hold no curves; compile them with --no-line\n";
  }
  if (names.route_id != recovered.names.route_id ||
      names.train_number != recovered.names.train_number) {
    out << "the identifiers cannot all be parts of a file name: compile the sources with "
           "--route-id \""
        << recovered.names.route_id << "\" --train-number \"" << recovered.names.train_number
        << "\"\n";
  }
  if (!check.exact) {
    report_error(err, "the round trip differs: " + check.difference);
    return exit_code::recorded_code;
  }
  out << "round trip exact: the sources compile to the same " << (line ? 3 : 2)
      << " files, byte for byte\n";
  return exit_code::clean;
}

}  // namespace

void add_decompile_options(CLI::App& cmd, DecompileOptions& o) {
  cmd.add_option("PATH", o.paths, "A folder, or the compiled files themselves")->required();
  cmd.add_option("-o,--output", o.out_dir, "Folder for the two sources, made when missing")
      ->capture_default_str();
  cmd.add_flag("--force", o.force, "Replace sources that are already there");
  cmd.footer(exit_statuses({"0   the sources compile back to the same files, byte for byte",
                            "2   the sources compile to other bytes (the first difference is "
                            "named)",
                            "3   a file cannot be read, or a source cannot be written",
                            refusal_status_line, "64  wrong usage",
                            "65  a damaged file, or files of two scenarios"}));
}

int run_decompile(const DecompileOptions& options, FileSystem& fs, std::ostream& out,
                  std::ostream& err) {
  return run_guarded(kVerb, err, [&] { return decompile(options, fs, out, err); });
}

}  // namespace scenario::tool
