#include "compiler/codice_gara.h"

#include <cstdint>
#include <string>

#include "format/windows1252.h"

namespace scenario {

namespace {

constexpr std::string_view kFiller = "ttmmeeggrrvvbbzzkkaawwuuhh";
constexpr int kPositions = 25;

// Train number first, then the route identifier, lower-cased (A to Z only), then the filler.
std::string key_text(const SimTable& table) {
  std::string key = to_windows1252(table[table_entry::codes].name) +
                    to_windows1252(table[table_entry::route].name);
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  key += kFiller;
  return key;
}

std::int32_t char_code(const std::string& key, int p) {
  return static_cast<std::uint8_t>(key[static_cast<std::size_t>(p - 1)]);
}

}  // namespace

std::int32_t codice_gara_st(const SimTable& table) {
  const std::string key = key_text(table);
  std::int32_t sum = 0;
  for (int p = 1; p <= kPositions; ++p) sum += char_code(key, p) * p;
  return sum;
}

std::int16_t codice_gara_og(const SimTable& table) {
  const std::string key = key_text(table);
  std::int16_t sum = 0;
  for (int p = 1; p <= kPositions; ++p) sum = static_cast<std::int16_t>(sum + char_code(key, p));
  return sum;
}

}  // namespace scenario
