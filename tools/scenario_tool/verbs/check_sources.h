// `check` on compiled files, told on the lines of the sources: the two sources, given with
// --sources or found beside the compiled files (ROUTE_linea.txt and ROUTE_TRAIN-.txt in the same
// folder), are read as the check of the sources reads them, and each finding goes to the line of
// its record. The km stays in every finding.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_system.h"
#include "scenario_tool/check/run_checks.h"
#include "scenario_tool/scenario/json.h"

namespace scenario::tool {

struct SourcePlaces {
  std::string line_source;
  std::string train_source;
  // One per finding, in their order: the source file and line, when known.
  std::vector<std::optional<std::pair<std::string, int>>> places;
};

// The sources beside the compiled files: the track or table file names ROUTE_TRAIN, the line
// file ROUTE_linea. None when they cannot be named.
std::optional<std::pair<std::string, std::string>> sources_beside(const LoadedScenario& s);

// None when a source cannot be read.
std::optional<SourcePlaces> place_findings(const CheckResult& r, const std::string& line_source,
                                           const std::string& train_source, FileSystem& fs);

// The text of write_check_text with FILE:LINE: before each finding that has a place.
std::string with_places(const std::string& text, const SourcePlaces& places);

// check --json with "file" and "line" of the source where known.
void add_places(Json& document, const SourcePlaces& places);

}  // namespace scenario::tool
