// What hovering over a record tells: on its keyword, what `explain KEYWORD` prints (and for a
// curve, its class and radius); on a value, the field's name, unit, the values the compiler
// takes and the sensible ones, and the value as the compiler stores it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/observer.h"

namespace scenario::tool::lsp {

struct HoverText {
  std::string markdown;
  std::size_t begin = 0;  // the bytes of the line it is about
  std::size_t end = 0;
};

// The hover at byte `offset` of the line; none off a record's keyword and values.
std::optional<HoverText> hover_text(SourceKind source, std::string_view line, std::size_t offset);

// "class 3, right: radius 2500 m" for a curve keyword such as "curvad3"; none for another word.
std::optional<std::string> curve_words(std::string_view keyword);

}  // namespace scenario::tool::lsp
