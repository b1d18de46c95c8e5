// Text sources for the tests of the reader and the compile, in the generator's own form: one line
// each, ended by CR LF.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "format/file_names.h"

namespace scenario {
class MemoryFileSystem;
}

namespace scenario::testing {

using Lines = std::vector<std::string>;

// Every line followed by CR LF.
std::string crlf(const Lines& lines);

// A source: its head (title, "inizio_dati", "[generale]" and the general records), the records of
// the test, and its tail.
std::string source_text(const Lines& head, const Lines& records, const Lines& tail = {"[fine]"});

// Puts the two sources where a compile of `names` reads them; no train source when it is unset.
void put_sources(MemoryFileSystem& fs, const ScenarioNames& names, const std::string& line_source,
                 const std::optional<std::string>& train_source);

}  // namespace scenario::testing
