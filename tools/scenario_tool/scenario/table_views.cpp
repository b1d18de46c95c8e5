#include "scenario_tool/scenario/table_views.h"

#include <cstdlib>

namespace scenario::tool {

namespace {

std::string two_digits(std::int64_t v) {
  std::string digits = std::to_string(v < 0 ? -v : v);
  if (digits.size() < 2) digits.insert(0, 1, '0');
  return (v < 0 ? "-" : "") + digits;
}

}  // namespace

bool entry_unused(const SimRecord& r) { return r == SimRecord{}; }

std::vector<int> station_entries(const SimTable& table) {
  std::vector<int> entries;
  for (int e = table_entry::first_station; e <= table_entry::first_sign; ++e) {
    if (entry_unused(table[static_cast<std::size_t>(e)])) break;
    entries.push_back(e);
  }
  return entries;
}

std::vector<int> sign_entries(const SimTable& table) {
  const auto stations = station_entries(table);
  const int lowest = stations.empty() ? table_entry::first_station : stations.back() + 1;
  std::vector<int> entries;
  for (int e = table_entry::first_sign; e >= lowest; --e) {
    if (entry_unused(table[static_cast<std::size_t>(e)])) break;
    entries.push_back(e);
  }
  return entries;
}

std::string clock_text(std::int64_t hours, std::int64_t minutes, std::int64_t seconds) {
  return two_digits(hours) + ":" + two_digits(minutes) + ":" + two_digits(seconds);
}

std::string time_of_day_text(std::int32_t seconds) {
  const std::int64_t s = std::llabs(static_cast<std::int64_t>(seconds));
  const std::string text = clock_text(s / 3600, s / 60 % 60, s % 60);
  return seconds < 0 ? "-" + text : text;
}

}  // namespace scenario::tool
