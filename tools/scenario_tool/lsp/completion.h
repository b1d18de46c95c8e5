// Completion of record keywords in a line's first field: every keyword of the source's kinds, the
// nearest to what is typed first (the order of compile's "did you mean"), each with a snippet of
// its fields.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/observer.h"

namespace scenario::tool::lsp {

struct KeywordCompletion {
  std::string label;
  std::string snippet;  // the keyword and a placeholder per field: "pendenza, ${1:position}, ..."
  std::string detail;   // what the record is
  std::string documentation;
  std::size_t distance = 0;  // edit distance of the typed word to the keyword's start
};

// The keywords offered at byte `offset` of the line, nearest first; none after the first comma.
// `typed_begin` is set to where the typed word starts, which the completion replaces.
std::vector<KeywordCompletion> keyword_completions(SourceKind source, std::string_view line,
                                                   std::size_t offset, std::size_t& typed_begin);

}  // namespace scenario::tool::lsp
