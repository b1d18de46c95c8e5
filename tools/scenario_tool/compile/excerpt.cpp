#include "scenario_tool/compile/excerpt.h"

namespace scenario::tool {

std::string quoted(std::string_view field) {
  if (field.size() <= kLongestQuotedField) return "\"" + std::string(field) + "\"";
  return "\"" + std::string(field.substr(0, kLongestQuotedField)) + "...\" (" +
         std::to_string(field.size()) + " characters)";
}

}  // namespace scenario::tool
