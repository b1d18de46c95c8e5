// The two competition codes: checksums of the train number and the route identifier, read from
// the names of table entries 86 and 85.
#pragma once

#include <cstdint>

#include "format/model.h"

namespace scenario {

std::int32_t codice_gara_st(const SimTable& table);
std::int16_t codice_gara_og(const SimTable& table);

}  // namespace scenario
