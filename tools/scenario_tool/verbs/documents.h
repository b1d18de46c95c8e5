// `documents`: the driver's papers of a compiled scenario (the timetable sheet, the slowdown order
// and the notes), in the layouts of the built-in scenario's papers.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "scenario_tool/documents/documents.h"
#include "scenario_tool/verbs/verb_signature.h"

namespace scenario::tool {

struct DocumentsOptions {
  std::vector<std::string> paths;  // one folder, or the compiled files themselves
  std::string out_dir = ".";
  bool json = false;  // the documents as data on standard output; no file is written
  std::optional<std::string> notes_file;
  // The line and train sources, to tell messages on their records' lines; empty: those beside.
  std::vector<std::string> sources;
  DocumentOptions document;
};

void add_documents_options(CLI::App& command, DocumentsOptions& options);
int run_documents(const DocumentsOptions& options, FileSystem& fs, std::ostream& out,
                  std::ostream& err);

}  // namespace scenario::tool
