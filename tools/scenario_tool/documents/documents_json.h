// The documents as data: what the three files hold, for `documents --json`.
#pragma once

#include "scenario_tool/documents/documents.h"
#include "scenario_tool/scenario/json.h"

namespace scenario::tool {

// The file names of the documents: ROUTE_TRAIN_scheda_treno.txt, _rallentamenti.txt, _note.txt.
std::vector<std::string> document_file_names(const Documents& d);

Json documents_json(const Documents& d);

// The three papers as the files hold them, for the page of `view`: each its title, its file
// name and its lines joined by LF.
Json document_texts(const Documents& d);

}  // namespace scenario::tool
