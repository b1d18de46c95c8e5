// Where the stations and the sign texts lie in the table, and how its times read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "format/model.h"

namespace scenario::tool {

// An entry that nothing has written: every number 0 and the name empty.
bool entry_unused(const SimRecord& r);

// The station entries: from entry 1 up to the first unused one.
std::vector<int> station_entries(const SimTable& table);

// The sign entries: from entry 80 down to the first unused one, never into the stations.
std::vector<int> sign_entries(const SimTable& table);

// hh:mm:ss, each part at least two digits; the parts are taken as they stand.
std::string clock_text(std::int64_t hours, std::int64_t minutes, std::int64_t seconds);

// Seconds after midnight as hh:mm:ss.
std::string time_of_day_text(std::int32_t seconds);

}  // namespace scenario::tool
