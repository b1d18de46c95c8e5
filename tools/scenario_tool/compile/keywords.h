// The record keywords of the two sources, and the nearest one to a word an author mistyped.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "compiler/observer.h"

namespace scenario::tool {

// Edit distance (insertions, deletions, substitutions), ignoring letter case.
std::size_t edit_distance(std::string_view a, std::string_view b);

// The keyword of the source's record kinds closest to `field`, when it is close enough to be a
// likely typing slip.
std::optional<std::string> suggest_keyword(SourceKind source, std::string_view field);

}  // namespace scenario::tool
