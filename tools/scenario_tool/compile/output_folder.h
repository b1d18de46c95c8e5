#pragma once

#include <string>

namespace scenario::tool {

// Makes an output folder that does not exist yet, as an author would expect of -o; throws
// FileError when it cannot.
void ensure_folder(const std::string& folder);

}  // namespace scenario::tool
