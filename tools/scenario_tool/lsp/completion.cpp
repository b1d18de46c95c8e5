#include "scenario_tool/lsp/completion.h"

#include <algorithm>

#include "compiler/record_kinds.h"
#include "scenario_tool/compile/keywords.h"
#include "scenario_tool/explain/reference.h"

namespace scenario::tool::lsp {

namespace {

// A placeholder's text may not hold what the snippet syntax gives meaning to.
std::string escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '$' || c == '}' || c == '\\') out.push_back('\\');
    out.push_back(c);
  }
  return out;
}

// A curve's keyword carries its side and class: both are choices of the snippet.
std::string snippet_of(const RecordKind& kind) {
  std::string out = kind.name == "curva" ? "curva${1|s,d|}${2|1,2,3,4,5,6|}" : escaped(kind.name);
  int tab = kind.name == "curva" ? 3 : 1;
  for (const FieldSpec& f : kind.fields) {
    out += ", ${" + std::to_string(tab++) + ":" + escaped(f.name) + "}";
  }
  return out;
}

}  // namespace

std::vector<KeywordCompletion> keyword_completions(SourceKind source, std::string_view line,
                                                   std::size_t offset, std::size_t& typed_begin) {
  offset = std::min(offset, line.size());
  if (line.substr(0, offset).find(',') != std::string_view::npos) return {};
  typed_begin = line.find_first_not_of(" \t");
  if (typed_begin == std::string_view::npos || typed_begin > offset) typed_begin = offset;
  const std::string_view typed = line.substr(typed_begin, offset - typed_begin);
  std::vector<KeywordCompletion> out;
  for (const RecordKind& kind : record_kinds()) {
    if (kind.source != source) continue;
    const std::string_view start = kind.name.substr(0, std::min(kind.name.size(), typed.size()));
    out.push_back(KeywordCompletion{std::string(kind.name), snippet_of(kind),
                                    std::string(kind.meaning), record_text(kind),
                                    edit_distance(typed, start)});
  }
  // Nearest first; among equals, the order of the reader's tables.
  std::stable_sort(out.begin(), out.end(),
                   [](const auto& a, const auto& b) { return a.distance < b.distance; });
  return out;
}

}  // namespace scenario::tool::lsp
