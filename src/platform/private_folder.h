#pragma once

#include <string>

namespace scenario {

// Creates a new folder that only this user can enter, under the system's temporary folder, named
// `prefix` followed by a random ending. Gives its path (UTF-8); on failure, the path it tried and
// the reason.
bool make_private_folder(const std::string& prefix, std::string* path, std::string* err);

}  // namespace scenario
