// A feature of the track told in the words of the format reference: what the record that made it
// is, and each of its values with what that value means, as the field tables of the reference
// word them. The SVG tooltips and the page of `view` both say it this way.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "format/model.h"
#include "scenario_tool/scenario/cell_meaning.h"

namespace scenario::tool {

// "signal at km 9.850 (cell 197)".
std::string feature_heading(std::uint8_t kind, std::size_t cell);

// One line per value of the decoded meaning, each "what it means — value"; the
// first line says what the record is.
std::vector<std::string> feature_lines(std::uint8_t kind, const CellMeaning& meaning);

// The heading and the lines, one per line of text.
std::string feature_words(std::uint8_t kind, std::size_t cell, const CellMeaning& meaning);

}  // namespace scenario::tool
