#include "scenario_tool/decompile/portable_names.h"

#include <string_view>

namespace scenario::tool {

std::string portable_name_part(const std::string& id) {
  constexpr std::string_view kRefused = "/\\<>:\"|?*";
  std::string part = id;
  for (char& c : part) {
    if (static_cast<unsigned char>(c) < 0x20 || kRefused.find(c) != std::string_view::npos) {
      c = '_';
    }
  }
  return part.empty() ? "_" : part;
}

}  // namespace scenario::tool
