#include "scenario_tool/explain/reference.h"

#include <algorithm>

#include "scenario_tool/explain/code_explanations.h"

namespace scenario::tool {

namespace {

// The text with spaces before it up to `width` characters.
std::string right_aligned(std::string text, std::size_t width) {
  text.insert(0, width - std::min(text.size(), width), ' ');
  return text;
}

// The text with spaces after it up to `width` characters.
std::string left_aligned(std::string_view text, std::size_t width) {
  std::string out(text);
  out.resize(std::max(out.size(), width), ' ');
  return out;
}

// One line for each item, as `line` words it.
template <typename Items, typename Line>
std::string lines_of(const Items& items, Line line) {
  std::string out;
  for (const auto& item : items) out += line(item) + "\n";
  return out;
}

std::string source_name(SourceKind source) {
  return source == SourceKind::line ? "line source" : "train source";
}

std::string where(const RecordKind& kind) {
  return source_name(kind.source) +
         (kind.section == Section::general ? ", general section" : ", after [generale]");
}

std::string range_text(const ValueRange& r) {
  return std::to_string(r.min) + " to " + std::to_string(r.max);
}

std::string takes_text(const FieldSpec& f) {
  if (f.type == ValueType::text) return "any text without a comma";
  const ValueRange r = f.accepted_range();
  const ValueRange whole = type_range(ValueType::whole);
  if (r.min == whole.min && r.max == whole.max) return "any whole number";
  return range_text(r);
}

std::string sensible_text(const FieldSpec& f) {
  std::string text = f.sensible ? range_text(*f.sensible) : "-";
  if (f.step != 0) text += ", steps of " + std::to_string(f.step);
  return text;
}

std::string codes_text(const RecordKind& kind) {
  std::string text;
  for (Code c : kind.codes) text += (text.empty() ? "" : ", ") + to_string(c);
  return text.empty() ? "25 when a value cannot be read"
                      : text + "; 25 when a value cannot be read";
}

std::string indented(std::string_view text, std::string_view indent) {
  std::string out;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    out += std::string(indent) + std::string(text.substr(start, end - start)) + "\n";
    start = end + 1;
  }
  return out;
}

// Words wrapped at `width`, each line after the first indented.
std::string wrapped(std::string_view text, std::size_t width, std::string_view indent) {
  std::string out;
  std::string line;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string word(text.substr(start, end - start));
    if (!line.empty() && line.size() + 1 + word.size() > width) {
      out += line + "\n" + std::string(indent);
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
    start = end + 1;
  }
  return out + line;
}

std::string example_text(const CodeExample& e) {
  const auto block = [](const std::string& title, const std::vector<std::string>& lines) {
    std::string out = "  " + title + ":\n";
    const std::size_t shown = lines.size() > 6 ? 3 : lines.size();
    for (std::size_t i = 0; i < shown; ++i) out += "    " + lines[i] + "\n";
    if (shown < lines.size()) {
      out += "    ... (" + std::to_string(lines.size()) + " such lines in all)\n";
    }
    return out;
  };
  if (e.no_line_source) return "  a train source with no line source beside it\n";
  if (e.no_general_header) return "  a line source whose records stand under no [generale]\n";
  std::string out;
  if (!e.general.empty()) out += block("line source, general section", e.general);
  if (!e.line.empty()) out += block("line source", e.line);
  if (!e.train.empty()) out += block("train source", e.train);
  return out;
}

}  // namespace

std::string field_summary(const FieldSpec& f) {
  return std::string(type_name(f.type)) + (f.unit.empty() ? "" : ", " + std::string(f.unit)) +
         "; takes " + takes_text(f) +
         (f.sensible || f.step != 0 ? "; sensible " + sensible_text(f) : "");
}

std::string record_text(const RecordKind& kind) {
  std::string out = "\"" + std::string(kind.name) + "\" (" + where(kind) +
                    "): " + std::string(kind.meaning) + "\n";
  out += "Recognised by a keyword field that holds \"" + std::string(kind.first) + "\"" +
         (kind.second.empty() ? "" : " and \"" + std::string(kind.second) + "\"") +
         (kind.exact_case ? " (in this case)" : " (any case)") + ".\n";
  out += std::to_string(kind.field_count()) + " fields, the keyword first:\n";
  out += "   1  " + std::string(kind.name) + "\n";
  for (std::size_t i = 0; i < kind.fields.size(); ++i) {
    const FieldSpec& f = kind.fields[i];
    out += right_aligned(std::to_string(i + 2), 4) + "  " + std::string(f.name) + ": " +
           field_summary(f) + "\n";
    out += "      " + wrapped(f.meaning, 88, "      ") + "\n";
    out += "      -> " + wrapped(f.goes_to, 85, "         ") + "\n";
  }
  out += "Codes: " + codes_text(kind) + " (scenario_tool explain CODE).\n";
  return out;
}

std::string record_markdown(const RecordKind& kind) {
  std::string out =
      "| # | field | read as | unit | compiler takes | sensible | meaning | in the "
      "compiled files |\n|---|---|---|---|---|---|---|---|\n";
  out += "| 1 | `" + std::string(kind.name) + "` | keyword | | | | " + std::string(kind.meaning) +
         " | |\n";
  for (std::size_t i = 0; i < kind.fields.size(); ++i) {
    const FieldSpec& f = kind.fields[i];
    out += "| " + std::to_string(i + 2) + " | `" + std::string(f.name) + "` | " +
           std::string(type_name(f.type)) + " | " + std::string(f.unit) + " | " + takes_text(f) +
           " | " + sensible_text(f) + " | " + std::string(f.meaning) + " | " +
           std::string(f.goes_to) + " |\n";
  }
  out += "\nCodes: " + codes_text(kind) + ".\n";
  return out;
}

std::string code_text(Code code) {
  std::string out = "error " + to_string(code) + ": " + std::string(code_meaning(code)) + "\n";
  for (const CodeInfo& info : all_codes()) {
    if (info.code == code) out += "Raised by: " + std::string(info.raised_by) + ".\n";
  }
  const CodeExplanation* e = find_code_explanation(code);
  if (e == nullptr) return out;
  out += "\nUsual causes:\n" + indented(wrapped(e->causes, 90, ""), "  ");
  out += "\nHow to fix it:\n" + indented(wrapped(e->fix, 90, ""), "  ");
  out += "\nExample:\n" + example_text(e->example);
  return out;
}

std::string warning_text(const WarningInfo& w) {
  std::string out = (w.error ? "error " : "warning ") + std::string(w.id) + ": " +
                    std::string(w.summary) + "\n\n";
  out += indented(wrapped(w.explanation, 90, ""), "  ");
  if (w.example_source == SourceKind::none) {
    out += "\nExample: a scenario without \"" + std::string(w.example) + "\".\n";
  } else {
    // An example of two lines keeps both indented.
    std::string example(w.example);
    for (auto at = example.find('\n'); at != std::string::npos; at = example.find('\n', at + 1)) {
      example.insert(at + 1, "    ");
    }
    std::string where = source_name(w.example_source);
    if (example.starts_with("general: ")) {
      example.erase(0, 9);
      where += ", in the general section";
    }
    out += "\nExample (" + where + "):\n    " + example + "\n";
  }
  if (w.error) {
    return out +
           "\nThis is an error: it cannot be silenced, and the compile writes nothing\n"
           "(--write-on-error writes what the generator would).\n";
  }
  out += "\nSilence it with -W no-" + std::string(w.id) + "; --werror makes it fail the compile.\n";
  return out;
}

std::vector<const RecordKind*> records_named(std::string_view word) {
  if (const RecordKind* exact = find_record_kind(word)) return {exact};
  std::vector<const RecordKind*> out;
  for (const RecordKind& kind : record_kinds()) {
    if (keyword_matches(kind, word)) out.push_back(&kind);
  }
  return out;
}

std::string code_list() {
  return lines_of(all_codes(), [](const CodeInfo& info) {
    return right_aligned(to_string(info.code), 6) + "  " + std::string(info.meaning);
  });
}

std::string record_list() {
  return lines_of(record_kinds(), [](const RecordKind& kind) {
    return "  " + left_aligned(kind.name, 30) + "  " +
           (kind.source == SourceKind::line ? "line " : "train") + "  " + std::string(kind.meaning);
  });
}

std::string warning_list() {
  return lines_of(all_warnings(), [](const WarningInfo& w) {
    return "  " + left_aligned(w.id, 22) + "  " + (w.error ? "error: " : "") +
           std::string(w.summary);
  });
}

}  // namespace scenario::tool
