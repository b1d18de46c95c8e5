#include "scenario_tool/lsp/hover.h"

#include <cctype>
#include <cmath>

#include "format/line_steps.h"
#include "scenario_tool/explain/reference.h"
#include "scenario_tool/lsp/record_line.h"

namespace scenario::tool::lsp {

namespace {

std::string with_unit(std::int64_t v, const FieldSpec& f) {
  return std::to_string(v) + (f.unit.empty() ? "" : " " + std::string(f.unit));
}

// The value as the compiler keeps it, rounded to its field's step as the check of the sources
// words it.
std::string stored_text(std::string_view text, const FieldSpec& f) {
  if (f.type == ValueType::text) return "text \"" + std::string(text) + "\"";
  const auto v = number_in(text);
  if (!v) return "\"" + std::string(text) + "\" is not a whole number: the compile fails (code 25)";
  if (!f.accepted_range().contains(*v)) {
    return with_unit(*v, f) + " is outside what the compiler takes: the compile fails (code 25)";
  }
  std::string out = with_unit(*v, f);
  if (f.step != 0 && *v % f.step != 0) {
    const auto stored =
        static_cast<std::int64_t>(std::nearbyint(static_cast<double>(*v) / f.step)) * f.step;
    out += ", stored as " + with_unit(stored, f) + " (in steps of " + std::to_string(f.step) + ")";
  } else {
    out += ", stored as it is";
  }
  if (f.sensible && !f.sensible->contains(*v)) out += "; outside the sensible range";
  return out;
}

std::string field_hover(const RecordKind& kind, std::size_t i, std::string_view value) {
  const FieldSpec& f = kind.fields[i];
  return "**" + std::string(f.name) + "**, field " + std::to_string(i + 2) + " of \"" +
         std::string(kind.name) + "\": " + field_summary(f) +
         "\n\nvalue: " + stored_text(value, f) + "\n\n" + std::string(f.meaning) + "\n\n-> " +
         std::string(f.goes_to);
}

}  // namespace

std::optional<std::string> curve_words(std::string_view keyword) {
  std::string word;
  for (char c : keyword)
    word.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  const auto at = word.find("curva");
  if (at == std::string::npos) return std::nullopt;
  const std::string rest = word.substr(at + 5);
  const auto side_at = rest.find_first_of("sd");
  const auto class_at = rest.find_first_of("123456");
  if (side_at == std::string::npos || class_at == std::string::npos) return std::nullopt;
  StepRun step;
  step.curve_class = rest[class_at] - '0';
  step.side = rest[side_at] == 'd' ? 1 : -1;
  return "class " + std::to_string(step.curve_class) + ", " + (step.side > 0 ? "right" : "left") +
         ": radius " + std::to_string(static_cast<std::int64_t>(std::nearbyint(step.radius_m()))) +
         " m";
}

std::optional<HoverText> hover_text(SourceKind source, std::string_view line, std::size_t offset) {
  const auto record = read_record_line(source, line);
  if (!record) return std::nullopt;
  const RecordKind& kind = *record->kind;
  if (record->keyword.holds(offset)) {
    const std::string_view keyword =
        line.substr(record->keyword.begin, record->keyword.end - record->keyword.begin);
    std::string text = "**" + std::string(kind.name) + "**";
    if (const auto curve = curve_words(keyword)) text += " (" + *curve + ")";
    text += "\n\n```text\n" + record_text(kind) + "```";
    return HoverText{text, record->keyword.begin, record->keyword.end};
  }
  for (std::size_t i = 0; i < record->values.size(); ++i) {
    const Span& s = record->values[i];
    if (s.begin == s.end || !s.holds(offset)) continue;
    return HoverText{field_hover(kind, i, record->value_text(line, i)), s.begin, s.end};
  }
  return std::nullopt;
}

}  // namespace scenario::tool::lsp
