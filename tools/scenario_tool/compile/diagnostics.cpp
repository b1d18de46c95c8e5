#include "scenario_tool/compile/diagnostics.h"

#include <algorithm>

#include "compiler/codes.h"
#include "compiler/record_kinds.h"
#include "scenario_tool/compile/culprit.h"
#include "scenario_tool/compile/excerpt.h"
#include "scenario_tool/compile/keywords.h"
#include "scenario_tool/scenario/position_text.h"

namespace scenario::tool {

namespace {

std::string trimmed(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return std::string(s);
}

std::string unknown_keyword_message(SourceKind source, const std::string& field) {
  std::string text = quoted(trimmed(field)) + " matches no record keyword; the record is dropped";
  if (auto suggestion = suggest_keyword(source, field)) {
    text += " (did you mean \"" + *suggestion + "\"?)";
  }
  return text;
}

// The kind of the other source whose keyword the field holds, if any.
const RecordKind* other_source_kind(SourceKind source, const std::string& field) {
  const KeywordField keyword(field);
  for (const RecordKind& kind : record_kinds()) {
    if (kind.source != source && keyword_matches(kind, keyword)) return &kind;
  }
  return nullptr;
}

std::string other_source_message(SourceKind source, const RecordKind& kind) {
  const bool in_line = source == SourceKind::line;
  return "\"" + std::string(kind.name) + "\" is a record of the " + (in_line ? "train" : "line") +
         " source: the " + (in_line ? "line" : "train") + " source drops it";
}

int source_rank(SourceKind source) {
  switch (source) {
    case SourceKind::line:
      return 0;
    case SourceKind::train:
      return 1;
    case SourceKind::none:
      break;
  }
  return 2;
}

class Merger {
 public:
  Merger(const CompileListener& heard, const SourceCheck& check) : heard_(heard), check_(check) {
    used_.assign(check.findings.size(), false);
  }

  std::vector<Diagnostic> run(const std::set<std::string>& silenced) {
    std::vector<Diagnostic> out;
    for (Diagnostic d : heard_.heard()) {
      if (d.is_error && d.code == Code::failure) explain_failure(d);
      if (d.is_error && d.code == Code::no_general) explain_missing_general(d);
      blame_culprit(d, check_);
      out.push_back(std::move(d));
    }
    for (std::size_t i = 0; i < check_.findings.size(); ++i) {
      if (used_[i]) continue;
      const Finding& f = check_.findings[i];
      out.push_back(Diagnostic{
          f.error, Code::none, std::nullopt, f.source, f.line, f.warning, f.message, {}});
    }
    std::erase_if(out, [&](const Diagnostic& d) { return !d.is_error && silenced.contains(d.id); });
    std::stable_sort(out.begin(), out.end(), [](const Diagnostic& a, const Diagnostic& b) {
      const int ra = source_rank(a.source);
      const int rb = source_rank(b.source);
      if (ra != rb) return ra < rb;
      return ra < 2 && a.line < b.line;
    });
    return out;
  }

 private:
  // An error 25 on a line is the record before it that the check found unreadable, when no
  // record was read in full between them; one on no line (the reading was over) is the last
  // value the check found too large for the compiler, or the missing route length.
  // A finding about a source as a whole (no track without a route length) explains what no
  // record does, and keeps the line the compiler was on.
  void explain_failure(Diagnostic& d) {
    std::optional<std::size_t> best;
    std::optional<std::size_t> whole_source;
    for (std::size_t i = 0; i < check_.findings.size(); ++i) {
      const Finding& f = check_.findings[i];
      if (!f.fatal || used_[i]) continue;
      if (f.line == 0) {
        if (f.source == d.source || d.source == SourceKind::none) whole_source = i;
        continue;
      }
      if (d.source == SourceKind::none) {
        best = i;
        continue;
      }
      if (f.source != d.source || f.line > d.line) continue;
      if (heard_.read_between(d.source, f.line, d.line)) continue;
      if (!best || check_.findings[*best].line <= f.line) best = i;
    }
    if (!best) best = whole_source;
    if (!best) return;
    const Finding& f = check_.findings[*best];
    used_[*best] = true;
    if (f.line != 0) {
      d.source = f.source;
      d.line = f.line;
    } else if (d.source == SourceKind::none) {
      d.source = f.source;
    }
    d.id = f.warning;
    d.message = f.message;
  }

  // A line source without "[generale]" is told at its end; a slip for the header is its cause.
  void explain_missing_general(Diagnostic& d) {
    for (std::size_t i = 0; i < check_.findings.size(); ++i) {
      const Finding& f = check_.findings[i];
      if (used_[i] || f.source != SourceKind::line || f.warning != "misspelt-header") continue;
      used_[i] = true;
      d.line = f.line;
      d.id = f.warning;
      d.message = f.message;
      return;
    }
  }

  const CompileListener& heard_;
  const SourceCheck& check_;
  std::vector<bool> used_;
};

}  // namespace

void CompileListener::on_code(Code code, std::optional<std::int32_t> pos, SourceKind source,
                              int line) {
  heard_.push_back(Diagnostic{true, code, pos, source, line, {}, {}, {}});
}

void CompileListener::on_unknown_keyword(SourceKind source, int line, const std::string& field) {
  // The fields after an unknown keyword stand on the same line: one warning a line.
  if (last_warning_ && last_warning_->first == source && last_warning_->second == line) return;
  last_warning_ = std::make_pair(source, line);
  // The reader passes over the line: the record is lost, so it is an error.
  if (const RecordKind* kind = other_source_kind(source, field)) {
    heard_.push_back(Diagnostic{true,
                                Code::none,
                                std::nullopt,
                                source,
                                line,
                                "other-source",
                                other_source_message(source, *kind),
                                {}});
    return;
  }
  heard_.push_back(Diagnostic{true,
                              Code::none,
                              std::nullopt,
                              source,
                              line,
                              "unknown-keyword",
                              unknown_keyword_message(source, field),
                              {}});
}

void CompileListener::on_record(const RecordKind&, SourceKind source, int line, int) {
  read_records_.insert({source, line});
}

bool CompileListener::read_between(SourceKind source, int after, int before) const {
  const auto it = read_records_.upper_bound({source, after});
  return it != read_records_.end() && it->first == source && it->second < before;
}

std::vector<Diagnostic> merge_diagnostics(const CompileListener& heard, const SourceCheck& check,
                                          const std::set<std::string>& silenced) {
  return Merger(heard, check).run(silenced);
}

// {here} and {other} in a message: FILE:LINE, or :LINE in the file already named.
std::string with_places(const Diagnostic& d, const std::string& line_source,
                        const std::string& train_source) {
  const auto file = [&](SourceKind s) {
    return s == SourceKind::line ? line_source : train_source;
  };
  std::string text = d.message;
  const auto put = [&](std::string_view mark, const std::string& place) {
    const auto at = text.find(mark);
    if (at != std::string::npos) text.replace(at, mark.size(), place);
  };
  put("{here}", file(d.source) + ":" + std::to_string(d.line));
  if (d.other) {
    const bool same = d.other->first == d.source;
    put("{other}",
        (same ? std::string() : file(d.other->first)) + ":" + std::to_string(d.other->second));
  }
  return text;
}

std::string diagnostic_message(const Diagnostic& d, const std::string& line_source,
                               const std::string& train_source) {
  if (d.is_error && d.code != Code::none && d.message.empty()) {
    return std::string(code_meaning(d.code));
  }
  return with_places(d, line_source, train_source);
}

std::string format_diagnostic(const Diagnostic& d, const std::string& line_source,
                              const std::string& train_source) {
  std::string text;
  if (d.source != SourceKind::none) {
    text = (d.source == SourceKind::line ? line_source : train_source) +
           (d.line > 0 ? ":" + std::to_string(d.line) : std::string()) + ": ";
  }
  if (d.is_error && d.code == Code::none) {
    return text + "error: " + d.message + " (scenario_tool explain " + d.id + ")";
  }
  if (d.is_error) {
    text += "error " + to_string(d.code) + ": ";
    text += diagnostic_message(d, line_source, train_source);
    if (d.pos) text += " (at " + km_position(*d.pos) + ")";
    return text + " (scenario_tool explain " + to_string(d.code) + ")";
  }
  return text + "warning: " + d.message + " (scenario_tool explain " + d.id + ")";
}

}  // namespace scenario::tool
