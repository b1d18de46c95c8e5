#include "scenario_tool/compile/error_search.h"

#include <algorithm>
#include <optional>
#include <tuple>

#include "scenario_tool/compile/source_check.h"

namespace scenario::tool {

namespace {

using Key = std::tuple<SourceKind, int, std::int32_t, std::string>;

Key key_of(const Diagnostic& d) { return {d.source, d.line, number(d.code), d.id}; }

// What earlier errors said, to fold the errors that only repeat them.
struct Folded {
  std::set<std::pair<std::int32_t, std::string>> texts;
  std::set<std::pair<std::int32_t, std::pair<SourceKind, int>>> causes;
  std::set<std::int32_t> whole_source_codes;
};

// An error that repeats an earlier one's cause is its follow-on: the same message, the same
// record blamed (every feature beyond a track made too short), a code about a source as a
// whole told again, or a missing record that is only missing because the search blanked it.
// Records it when it is not.
bool follow_on(const Diagnostic& d, Folded& folded) {
  const std::int32_t code = number(d.code);
  if (d.id == "missing-record") return true;
  if (!d.message.empty() && !folded.texts.insert({code, d.message}).second) return true;
  if (d.other && !folded.causes.insert({code, *d.other}).second) return true;
  if (d.code == Code::no_general || (d.code != Code::none && d.line == 0)) {
    return !folded.whole_source_codes.insert(code).second;
  }
  return false;
}

int source_rank(SourceKind source) {
  return source == SourceKind::line ? 0 : source == SourceKind::train ? 1 : 2;
}

}  // namespace

std::optional<Diagnostic> stopping_error(const CompileListener& heard,
                                         const std::vector<Diagnostic>& merged) {
  const auto first = std::find_if(heard.heard().begin(), heard.heard().end(),
                                  [](const Diagnostic& d) { return d.code != Code::none; });
  if (first == heard.heard().end()) return std::nullopt;
  for (const Diagnostic& d : merged) {
    if (d.is_error && d.code == first->code && d.pos == first->pos) return d;
  }
  return *first;
}

std::string blank_line(std::string text, int line) {
  std::size_t start = 0;
  for (int n = 1; n < line && start < text.size(); ++n) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) return text;
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  if (start >= text.size()) return text;
  const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
  return text.erase(start, end - start);
}

std::vector<Diagnostic> further_errors(const ErrorSearch& search,
                                       const CompileListener& heard_first,
                                       const std::vector<Diagnostic>& first) {
  std::set<Key> told;
  Folded folded;
  for (const Diagnostic& d : first) {
    told.insert(key_of(d));
    if (d.is_error) follow_on(d, folded);
  }
  std::string line_text(search.line_text);
  std::string train_text(search.train_text);

  std::vector<Diagnostic> found;
  std::optional<Diagnostic> stop = stopping_error(heard_first, first);
  for (int run = 0; run < search.cap && stop && stop->line > 0; ++run) {
    std::string& text = stop->source == SourceKind::line ? line_text : train_text;
    text = blank_line(std::move(text), stop->line);
    CompileListener heard;
    compile_sources({search.ids,
                     {SourceText::of(line_text), SourceText::of(train_text)},
                     {.build_line = search.build_line}},
                    heard);
    const std::vector<Diagnostic> merged =
        merge_diagnostics(heard, check_sources(line_text, train_text), search.silenced);
    const std::size_t before = found.size();
    for (const Diagnostic& d : merged) {
      if (d.is_error && told.insert(key_of(d)).second && !follow_on(d, folded)) {
        found.push_back(d);
      }
    }
    // A compile that finds nothing new stops on follow-ons of what is told: going on would only
    // blank them one by one.
    const std::optional<Diagnostic> next = stopping_error(heard, merged);
    if (found.size() == before || !next) break;
    if (next->source == stop->source && next->line == stop->line) break;
    stop = next;
  }
  return found;
}

void add_further_errors(std::vector<Diagnostic>& all, const ErrorSearch& search,
                        const CompileListener& heard) {
  std::vector<Diagnostic> more = further_errors(search, heard, all);
  if (more.empty()) return;
  // A warning that a later error 25 tells again, on the same line and with the same id, goes.
  std::erase_if(all, [&](const Diagnostic& w) {
    return !w.is_error && std::any_of(more.begin(), more.end(), [&](const Diagnostic& e) {
      return e.source == w.source && e.line == w.line && e.id == w.id;
    });
  });
  all.insert(all.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
  std::stable_sort(all.begin(), all.end(), [](const Diagnostic& a, const Diagnostic& b) {
    const int ra = source_rank(a.source);
    const int rb = source_rank(b.source);
    if (ra != rb) return ra < rb;
    return ra < 2 && a.line < b.line;
  });
}

}  // namespace scenario::tool
