// The record keywords of the two sources, and the nearest one to a word an author mistyped.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "compiler/observer.h"

namespace scenario::tool {

// Whether 'A' and 'a' count as the same letter: source keywords are read in any case, verbs are
// not.
enum class LetterCase { ignored, matters };

// Edit distance (insertions, deletions, substitutions).
std::size_t edit_distance(std::string_view a, std::string_view b,
                          LetterCase letter_case = LetterCase::ignored);

// The keyword of the source's record kinds closest to `field`, when it is close enough to be a
// likely typing slip.
std::optional<std::string> suggest_keyword(SourceKind source, std::string_view field);

}  // namespace scenario::tool
