// The requests about a place in a source: hover, completion, and the outline of the whole.
#include <algorithm>

#include "scenario_tool/lsp/completion.h"
#include "scenario_tool/lsp/hover.h"
#include "scenario_tool/lsp/params.h"
#include "scenario_tool/lsp/server.h"
#include "scenario_tool/lsp/source_pair.h"
#include "scenario_tool/lsp/symbols.h"

namespace scenario::tool::lsp {

namespace {

struct Place {
  const OpenDocument* doc = nullptr;
  SourceKind source = SourceKind::none;
  int line = 0;
  std::string_view text;  // the line
  std::size_t offset = 0;
};

Place place_of(const DocumentStore& documents, const Json& params, Columns columns) {
  Place p;
  const Json& position = member(params, "position");
  p.line = int_member(position, "line");
  const int character = int_member(position, "character");
  p.doc = documents.find(document_uri(params));
  if (p.doc == nullptr || !p.doc->path) return p;
  p.source = source_kind_of(name_of(*p.doc->path));
  p.text = line_of(p.doc->text, p.line);
  p.offset = offset_of(p.text, character, columns);
  return p;
}

}  // namespace

Json Server::hover(const Json& params) const {
  const Place p = place_of(documents_, params, columns_);
  if (p.source == SourceKind::none) return nullptr;
  const auto h = hover_text(p.source, p.text, p.offset);
  if (!h) return nullptr;
  return Json{{"contents", {{"kind", "markdown"}, {"value", h->markdown}}},
              {"range",
               {{"start", {{"line", p.line}, {"character", column_of(p.text, h->begin, columns_)}}},
                {"end", {{"line", p.line}, {"character", column_of(p.text, h->end, columns_)}}}}}};
}

Json Server::completion(const Json& params) const {
  const Place p = place_of(documents_, params, columns_);
  Json items = Json::array();
  if (p.source == SourceKind::none) return items;
  std::size_t typed_begin = 0;
  int rank = 0;
  for (const KeywordCompletion& c : keyword_completions(p.source, p.text, p.offset, typed_begin)) {
    const Json range{
        {"start", {{"line", p.line}, {"character", column_of(p.text, typed_begin, columns_)}}},
        {"end", {{"line", p.line}, {"character", column_of(p.text, p.offset, columns_)}}}};
    std::string order = std::to_string(rank++);
    order.insert(0, 4 - std::min<std::size_t>(order.size(), 4), '0');
    items.push_back(Json{
        {"label", c.label},
        {"kind", 14},  // Keyword
        {"detail", c.detail},
        {"documentation", {{"kind", "markdown"}, {"value", "```text\n" + c.documentation + "```"}}},
        {"sortText", order},
        {"filterText", c.label},
        {"insertTextFormat", 2},
        {"textEdit", {{"range", range}, {"newText", c.snippet}}}});
  }
  return items;
}

Json Server::symbols(const Json& params) const {
  const OpenDocument* doc = documents_.find(document_uri(params));
  if (doc == nullptr || !doc->path) return Json::array();
  const SourceKind source = source_kind_of(name_of(*doc->path));
  if (source == SourceKind::none) return Json::array();
  return document_symbols(source, doc->text, columns_);
}

}  // namespace scenario::tool::lsp
