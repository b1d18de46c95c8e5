#include "scenario_tool/scenario/printable.h"

namespace scenario::tool {

std::string printable(const std::string& s) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : s) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) {
      out += std::string("\\x") + kHex[b >> 4] + kHex[b & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace scenario::tool
