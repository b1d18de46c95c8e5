// A field of a source as a message quotes it: whole when short, else its start and its length,
// so that a number of ten million digits gives a line, not ten megabytes.
#pragma once

#include <string>
#include <string_view>

namespace scenario::tool {

inline constexpr std::size_t kLongestQuotedField = 40;

// "\"FIELD\"", or "\"START...\" (N characters)".
std::string quoted(std::string_view field);

}  // namespace scenario::tool
