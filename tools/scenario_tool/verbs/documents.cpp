// `documents`: the timetable sheet, the slowdown order and the notes of a compiled scenario,
// written as one set into a folder, or printed as JSON.
#include "scenario_tool/verbs/documents.h"

#include <CLI/CLI.hpp>
#include <sstream>
#include <variant>

#include "platform/replace_files.h"
#include "scenario_tool/documents/documents_json.h"
#include "scenario_tool/scenario/open_scenario.h"
#include "scenario_tool/scenario/reporter.h"
#include "scenario_tool/verbs/check_sources.h"
#include "scenario_tool/verbs/guarded.h"
#include "scenario_tool/verbs/number_options.h"
#include "scenario_tool/verbs/output_folder.h"
#include "scenario_tool/verbs/verb_table.h"

namespace scenario::tool {

namespace {

// The lines of the notes file, without their line ends; none when it cannot be read.
std::optional<std::vector<std::string>> free_notes(FileSystem& fs, const std::string& path,
                                                   std::ostream& err) {
  std::string bytes;
  std::string reason;
  if (!fs.read(path, &bytes, &reason)) {
    report_error(err, "documents: cannot read the notes " + path + ": " + reason);
    return std::nullopt;
  }
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);) {
    if (line.ends_with('\r')) line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The places of the documents' findings in the sources given, or in those beside the compiled
// files; given ones that cannot be read are told.
std::optional<SourcePlaces> placed(const DocumentsOptions& o, const LoadedScenario& loaded,
                                   const Documents& d, FileSystem& fs, std::ostream& err) {
  if (d.findings.empty()) return std::nullopt;
  CheckResult r;
  r.findings = d.findings;
  if (o.sources.size() == 2) {
    auto places = place_findings(r, o.sources[0], o.sources[1], fs);
    if (!places) err << "documents: sources not read: the messages are told without their lines\n";
    return places;
  }
  const auto beside = sources_beside(loaded);
  if (!beside) return std::nullopt;
  return place_findings(r, beside->first, beside->second, fs);
}

// Each message about a record, after FILE:LINE of the record when the sources are known.
void tell_findings(const Documents& d, const std::optional<SourcePlaces>& places,
                   std::ostream& err) {
  std::string text;
  for (const CheckFinding& f : d.findings) text += "documents: " + f.message + "\n";
  err << (places ? with_places(text, *places) : text);
}

int write_documents(const DocumentsOptions& options, const Documents& d, FileSystem& fs,
                    std::ostream& out, std::ostream& err) {
  if (const auto failure = make_output_folder(fs, options.out_dir)) {
    report_error(err, *failure);
    return exit_code::io_failure;
  }
  const std::vector<std::string> names = document_file_names(d);
  const std::vector<std::string> texts{
      crlf_text(sheet_lines(d)), crlf_text(slowdown_order_lines(d)), crlf_text(notes_lines(d))};
  std::vector<OutputBlob> blobs;
  for (std::size_t i = 0; i < names.size(); ++i) {
    blobs.push_back({in_folder(options.out_dir, names[i]), texts[i]});
  }
  try {
    replace_files(fs, blobs);
  } catch (const FileError& e) {
    report_error(err, e.what());
    return exit_code::io_failure;
  }
  for (const OutputBlob& b : blobs) out << "wrote " << b.path << '\n';
  return exit_code::clean;
}

int documents(const DocumentsOptions& options, FileSystem& fs, std::ostream& out,
              std::ostream& err) {
  DocumentOptions document = options.document;
  if (options.notes_file) {
    auto notes = free_notes(fs, *options.notes_file, err);
    if (!notes) return exit_code::io_failure;
    document.free_notes = std::move(*notes);
  }
  auto opened = open_scenario(options.paths, "documents", fs, err);
  if (const int* failed = std::get_if<int>(&opened)) return *failed;
  const OpenedScenario& o = std::get<OpenedScenario>(opened);
  if (!o.loaded.table || !o.loaded.track) {
    report_error(err, "documents: the documents need the table file and the track file");
    return o.status == exit_code::clean ? exit_code::usage : o.status;
  }
  const DerivedDocuments derived = derive_documents(o.scenario, *o.loaded.track, document);
  if (!derived.documents) {
    report_error(err, "documents: " + derived.problem);
    return exit_code::recorded_code;
  }
  const Documents& d = *derived.documents;
  const auto places = placed(options, o.loaded, d, fs, err);
  tell_findings(d, places, err);
  if (options.json) {
    Json document = documents_json(d);
    if (places) add_places(document, *places);
    out << document.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
    return o.status;
  }
  const int written = write_documents(options, d, fs, out, err);
  return written != exit_code::clean ? written : o.status;
}

}  // namespace

void add_documents_options(CLI::App& cmd, DocumentsOptions& o) {
  cmd.add_option("SCENARIO", o.paths, "A folder, or the compiled files themselves")->required();
  cmd.add_option("-o,--output", o.out_dir,
                 "Folder for ROUTE_TRAIN_scheda_treno.txt, ROUTE_TRAIN_rallentamenti.txt and "
                 "ROUTE_TRAIN_note.txt, made when missing; the three are replaced as one set")
      ->capture_default_str()
      ->type_name("DIR");
  cmd.add_flag("--json", o.json, "Print the documents as JSON instead of writing them");
  cmd.add_option("--sources", o.sources,
                 "The line and train sources (LINE TRAIN), to tell each message on its record's "
                 "line; by default those beside the compiled files, when there")
      ->expected(2)
      ->type_name("LINE TRAIN");
  cmd.add_option("--notes", o.notes_file, "A text file whose lines end the notes, as written")
      ->type_name("FILE");
  DocumentOptions& d = o.document;
  cmd.add_option("--classification", d.classification, "The train's classification on the sheet")
      ->capture_default_str();
  add_number_option(cmd, "--braked-mass", d.braked_mass_t, "The braked mass on the sheet, tonnes",
                    CLI::Range(1, 99999));
  cmd.add_option("--rank", d.rank, "The rank letter after the highest speed on the sheet")
      ->capture_default_str();
  add_number_option(cmd, "--dwell", d.dwell_s, "Seconds the train stands at least at each stop",
                    CLI::Range(0, 3600));
  add_rate_options(cmd, d.accel_m_s2, d.decel_m_s2, "the running times");
  cmd.footer(exit_statuses({"0   the documents were written (or printed with --json)",
                            "2   the scenario cannot give a timetable: fewer than two stations",
                            "3   a file cannot be found or read, or a document cannot be written",
                            "64  wrong usage: an option out of range, no table or track file, "
                            "wrong paths as for inspect",
                            "65  a file is damaged"}));
}

int run_documents(const DocumentsOptions& options, FileSystem& fs, std::ostream& out,
                  std::ostream& err) {
  return run_guarded("documents", err, [&] { return documents(options, fs, out, err); });
}

}  // namespace scenario::tool
