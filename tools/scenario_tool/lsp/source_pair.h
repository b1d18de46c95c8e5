// Which source a file is by its name, and its partner: ROUTE_linea.txt goes with the trains
// ROUTE_TRAIN-.txt beside it, a train source with the longest route whose line source is beside
// it (the rule of compile and compile --all).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "compiler/compilation.h"
#include "compiler/observer.h"

namespace scenario::tool::lsp {

// line for ROUTE_linea.txt, train for NAME-.txt, none for any other name.
SourceKind source_kind_of(const std::string& file_name);

// The partner of `file_name` among the names of its folder (the first by name when several
// trains share a line), or none.
std::optional<std::string> partner_name(const std::string& file_name,
                                        const std::vector<std::string>& folder_names);

// The route identifier and train number the two names carry.
ScenarioIds ids_of_pair(const std::string& line_name, const std::string& train_name);

}  // namespace scenario::tool::lsp
