// What may stand as a route identifier or a train number: they become parts of file names.
#pragma once

#include <string>

namespace scenario::tool {

inline bool valid_identifier(const std::string& id) {
  return !id.empty() && id.find_first_of(std::string("/\\\0", 3)) == std::string::npos &&
         id != "." && id != "..";
}

}  // namespace scenario::tool
