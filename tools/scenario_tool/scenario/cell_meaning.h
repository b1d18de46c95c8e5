// What the values of an occupied track cell mean, by the kind of its feature.
#pragma once

#include <cstdint>
#include <string>

#include "format/model.h"
#include "scenario_tool/scenario/json.h"

namespace scenario::tool {

// The name of a cell kind ("signal", "speed_board", ...); "unknown_N" for a code with no kind.
std::string kind_name(std::uint8_t kind);

// The feature's values decoded (the two sides of a signal, the speeds of a board, ...). The
// table, when there is one, gives the station names and sign texts the cell refers to.
Json cell_meaning(const TrackCell& cell, const SimTable* table);

// The meaning built by cell_meaning, as one line of text.
std::string meaning_text(std::uint8_t kind, const Json& meaning);

}  // namespace scenario::tool
