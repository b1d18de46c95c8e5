// The identifiers a table holds are any text; the sources' names are made of them. A name part
// that no system's file names can hold (a separator, which would also lead out of the output
// folder, or one of the characters Windows refuses) is written with '_' in its place.
#pragma once

#include <string>

namespace scenario::tool {

// `id` with each of / \ < > : " | ? * and every control character as '_'; "_" for nothing.
std::string portable_name_part(const std::string& id);

}  // namespace scenario::tool
