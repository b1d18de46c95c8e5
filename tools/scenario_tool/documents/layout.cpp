#include "scenario_tool/documents/layout.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace scenario::tool {

std::string fit(std::string_view text, std::size_t width) {
  std::string cell(text.substr(0, width));
  cell.resize(width, ' ');
  return cell;
}

std::string centred(std::string_view text, std::size_t width, bool left_heavy) {
  if (text.size() >= width) return fit(text, width);
  const std::size_t spare = width - text.size();
  const std::size_t left = left_heavy ? (spare + 1) / 2 : spare / 2;
  return fit(std::string(left, ' ') + std::string(text), width);
}

std::string lettered(std::string_view name) {
  std::string out(name);
  bool word_start = true;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto c = static_cast<unsigned char>(out[i]);
    const bool after_point = i > 0 && out[i - 1] == '.';
    if (c == ' ') {
      word_start = true;
      continue;
    }
    if (word_start) {
      out[i] = static_cast<char>(std::toupper(c));
    } else if (!after_point) {
      out[i] = static_cast<char>(std::tolower(c));
    }
    word_start = false;
  }
  return out;
}

std::string km_figure(std::int64_t metres) {
  const std::int64_t whole = metres < 0 ? -metres : metres;
  char text[40];
  std::snprintf(text, sizeof text, "%s%lld.%03lld", metres < 0 ? "-" : "",
                static_cast<long long>(whole / 1000), static_cast<long long>(whole % 1000));
  return text;
}

std::string clock_figure(std::int64_t seconds) {
  constexpr std::int64_t day_minutes = 24 * 60;
  // Halves of a minute go to the even minute, as every rounding of the tool.
  auto minutes = static_cast<std::int64_t>(std::nearbyint(static_cast<double>(seconds) / 60.0));
  minutes = ((minutes % day_minutes) + day_minutes) % day_minutes;
  char text[16];
  std::snprintf(text, sizeof text, "%02lld.%02lld", static_cast<long long>(minutes / 60),
                static_cast<long long>(minutes % 60));
  return text;
}

}  // namespace scenario::tool
