// The report of `inspect` is built once as JSON, keeping its keys in the documented order; the
// text output is drawn from the same report, so both always carry the same content.
#pragma once

#include <nlohmann/json.hpp>

namespace scenario::tool {

using Json = nlohmann::ordered_json;

}  // namespace scenario::tool
