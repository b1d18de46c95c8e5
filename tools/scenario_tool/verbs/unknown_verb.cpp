#include "scenario_tool/verbs/unknown_verb.h"

#include <algorithm>
#include <vector>

#include "scenario_tool/verbs/verb_table.h"

namespace scenario::tool {

namespace {

std::size_t edit_distance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

bool is_verb(std::string_view word) {
  const auto verbs = verb_table();
  return std::any_of(verbs.begin(), verbs.end(), [&](const Verb& v) { return word == v.name; });
}

std::string verb_list() {
  std::string text = "the commands are";
  bool first = true;
  for (const Verb& v : verb_table()) {
    text += std::string(first ? " " : ", ") + v.name;
    first = false;
  }
  return text + " (scenario_tool --help tells what each does)";
}

std::string closest_verb(std::string_view word) {
  std::string best;
  std::size_t best_distance = 0;
  for (const Verb& v : verb_table()) {
    const std::size_t d = edit_distance(word, v.name);
    if (best.empty() || d < best_distance) {
      best = v.name;
      best_distance = d;
    }
  }
  return best;
}

std::string unknown_verb_message(std::string_view word) {
  return "unknown command '" + std::string(word) + "' (did you mean '" + closest_verb(word) +
         "'?); " + verb_list();
}

}  // namespace scenario::tool
