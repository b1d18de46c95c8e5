#pragma once

#include <string>

namespace scenario {

// The folder that holds the running executable, without a trailing separator.
std::string program_folder();

}  // namespace scenario
