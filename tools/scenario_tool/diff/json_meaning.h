// The meaning of a cell as the diff report carries it (inspect's JSON), as one line of text.
// The diff still compares the JSON of two reports; this goes once it compares typed scenarios.
#pragma once

#include <cstdint>
#include <string>

#include "scenario_tool/scenario/json.h"

namespace scenario::tool {

std::string json_meaning_text(std::uint8_t kind, const Json& meaning);

}  // namespace scenario::tool
