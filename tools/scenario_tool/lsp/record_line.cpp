#include "scenario_tool/lsp/record_line.h"

#include <charconv>

namespace scenario::tool::lsp {

namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }

Span trimmed(std::string_view line, Span s) {
  while (s.begin < s.end && blank(line[s.begin])) ++s.begin;
  while (s.end > s.begin && blank(line[s.end - 1])) --s.end;
  return s;
}

// The value of `type` from `at`: a text runs to the comma, a number also ends at a blank. The
// separator before it, a comma or blanks, is passed over.
Span next_value(std::string_view line, std::size_t& at, ValueType type) {
  while (at < line.size() && blank(line[at])) ++at;
  if (at < line.size() && line[at] == ',') ++at;
  while (at < line.size() && blank(line[at])) ++at;
  const std::size_t begin = at;
  const auto stops = [&](char c) { return c == ',' || (type != ValueType::text && blank(c)); };
  while (at < line.size() && !stops(line[at])) ++at;
  return trimmed(line, {begin, at});
}

}  // namespace

std::optional<RecordLine> read_record_line(SourceKind source, std::string_view line) {
  const Span keyword = trimmed(line, {0, std::min(line.find(','), line.size())});
  const std::string_view field = line.substr(keyword.begin, keyword.end - keyword.begin);
  if (field.empty() || field.find('-') != std::string_view::npos || field.front() == '[') {
    return std::nullopt;
  }
  const KeywordField key(field);
  for (const RecordKind& kind : record_kinds()) {
    if (kind.source != source || !keyword_matches(kind, key)) continue;
    RecordLine record{&kind, keyword, {}};
    std::size_t at = keyword.end;
    for (const FieldSpec& f : kind.fields) {
      if (at >= line.size()) break;
      const Span value = next_value(line, at, f.type);
      if (value.begin == value.end && at >= line.size()) break;
      record.values.push_back(value);
    }
    return record;
  }
  return std::nullopt;
}

std::optional<std::string> section_header(std::string_view line) {
  const auto first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos || line[first] != '[') return std::nullopt;
  const auto close = line.find(']', first);
  if (close == std::string_view::npos) return std::nullopt;
  return std::string(line.substr(first, close - first + 1));
}

std::optional<std::int64_t> number_in(std::string_view text) {
  std::int64_t v = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return v;
}

}  // namespace scenario::tool::lsp
