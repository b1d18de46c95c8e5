#include "scenario_tool/verbs/unknown_verb.h"

#include <algorithm>

#include "scenario_tool/compile/keywords.h"
#include "scenario_tool/verbs/verb_table.h"

namespace scenario::tool {

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
    const std::size_t d = edit_distance(word, v.name, LetterCase::matters);
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
