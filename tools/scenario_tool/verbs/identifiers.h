// What may stand as a route identifier or a train number: they become parts of file names.
#pragma once

#include <ostream>
#include <string>

namespace scenario::tool {

inline bool valid_identifier(const std::string& id) {
  return !id.empty() && id.find_first_of(std::string("/\\\0", 3)) == std::string::npos &&
         id != "." && id != "..";
}

struct CompileOptions;

// The identifiers from the options, or from the names ROUTE_linea.txt and ROUTE_TRAIN-.txt; false,
// told on `err`, when they cannot be taken or cannot be part of a file name.
bool derive_identifiers(const CompileOptions& options, std::string& route, std::string& train,
                        std::ostream& err);

}  // namespace scenario::tool
