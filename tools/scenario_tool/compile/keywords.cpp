#include "scenario_tool/compile/keywords.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

#include "compiler/record_kinds.h"

namespace scenario::tool {

namespace {

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

std::string trimmed_lower(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  std::string out;
  for (char c : s) out.push_back(lower(c));
  return out;
}

// A curve's keyword carries its side and class: "curva" + s|d + 1..6.
std::optional<std::string> suggest_curve(const std::string& word) {
  if (word.size() < 5 || word.size() > 8) return std::nullopt;
  if (edit_distance(word.substr(0, std::min<std::size_t>(word.size(), 5)), "curva") > 1) {
    return std::nullopt;
  }
  const char side = word.find('s', 3) != std::string::npos ? 's' : 'd';
  const auto digit =
      std::find_if(word.begin(), word.end(), [](char c) { return c >= '1' && c <= '6'; });
  return std::string("curva") + side + (digit != word.end() ? *digit : '2');
}

}  // namespace

std::size_t edit_distance(std::string_view a, std::string_view b, LetterCase letter_case) {
  const auto same = [letter_case](char x, char y) {
    return letter_case == LetterCase::matters ? x == y : lower(x) == lower(y);
  };
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      const std::size_t cost = same(a[i - 1], b[j - 1]) ? 0 : 1;
      row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + cost});
      diagonal = above;
    }
  }
  return row[b.size()];
}

constexpr std::size_t kLongestSlip = 64;

std::optional<std::string> suggest_keyword(SourceKind source, std::string_view field) {
  // No keyword is near this long: a slip changes at most a third of a keyword's letters, and the
  // distance to a field of millions of characters would take minutes.
  if (field.size() > kLongestSlip) return std::nullopt;
  const std::string word = trimmed_lower(field);
  if (word.empty()) return std::nullopt;
  std::optional<std::string> best;
  std::size_t best_distance = 0;
  auto consider = [&](std::string_view keyword) {
    const std::size_t d = edit_distance(word, keyword);
    if (!best || d < best_distance) {
      best = std::string(keyword);
      best_distance = d;
    }
  };
  for (const RecordKind& kind : record_kinds()) {
    if (kind.source == source && kind.name != "curva") consider(kind.name);
  }
  if (source == SourceKind::line) {
    if (auto curve = suggest_curve(word)) consider(*curve);
  }
  // Close enough to be a slip: at most a third of the keyword's letters differ.
  if (best && best_distance > 0 && best_distance * 3 <= best->size()) return best;
  return std::nullopt;
}

}  // namespace scenario::tool
