// The line `watch` prints before each compile's verdict, so that runs stand apart in a terminal
// and in a log: the local time, the run's number and what set it off.
#pragma once

#include <ctime>
#include <string>
#include <vector>

namespace scenario::tool {

// "--- 14:02:17 compile 3: Valdora_Lusa_24863-.txt saved"; the first run says "start".
std::string run_header(int run, const std::vector<std::string>& saved, std::time_t when);

}  // namespace scenario::tool
