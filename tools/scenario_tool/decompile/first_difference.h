// Naming the first place where two versions of a compiled file differ, in the terms of the file:
// a track cell and its field, a table entry and its field, a line metre and its coordinate.
#pragma once

#include <string>
#include <string_view>

namespace scenario::tool {

// Empty when the bytes are equal. `given` is the file decompiled, `rebuilt` the compile of its
// sources.
std::string track_difference(std::string_view given, std::string_view rebuilt);
std::string table_difference(std::string_view given, std::string_view rebuilt);
std::string line_difference(std::string_view given, std::string_view rebuilt);

}  // namespace scenario::tool
