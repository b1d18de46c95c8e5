// The page without its script: tables of the stations, signals, slowdowns and findings written
// into the HTML, so that a browser with JavaScript off (or a reader of the file) still has the
// data.
#pragma once

#include <string>

#include "scenario_tool/scenario/json.h"

namespace scenario::tool {

// HTML tables from the page's data (as view_data makes it); every text escaped.
std::string static_tables(const Json& data);

}  // namespace scenario::tool
