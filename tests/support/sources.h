// Text sources for the tests of the reader and the compile, in the generator's own form: one line
// each, ended by CR LF.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "compiler/source_text.h"

namespace scenario::testing {

using Lines = std::vector<std::string>;

// Every line followed by CR LF.
std::string crlf(const Lines& lines);

// A source: its head (title, "inizio_dati", "[generale]" and the general records), the records of
// the test, and its tail.
std::string source_text(const Lines& head, const Lines& records, const Lines& tail = {"[fine]"});

// The two sources as a compile takes them; an absent train source when it is unset.
ScenarioSources sources_of(const std::string& line_source,
                           const std::optional<std::string>& train_source);

}  // namespace scenario::testing
