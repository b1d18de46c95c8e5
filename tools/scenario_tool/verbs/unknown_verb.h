// What the tool says when the verb is missing or unknown: the verbs there are, and for a word
// that is none the closest of them.
#pragma once

#include <string>
#include <string_view>

namespace scenario::tool {

bool is_verb(std::string_view word);

// "the commands are new, template, ..." from the verb table.
std::string verb_list();

// The verb nearest to the word by edits (insert, delete, replace a letter); the first in the
// table's order on a tie.
std::string closest_verb(std::string_view word);

// "unknown command 'xyz' (did you mean 'compile'?); the commands are ...".
std::string unknown_verb_message(std::string_view word);

}  // namespace scenario::tool
