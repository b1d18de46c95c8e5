#include "scenario_tool/compile/source_check.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>
#include <string_view>

#include "compiler/field_reader.h"
#include "format/constants.h"
#include "format/windows1252.h"
#include "scenario_tool/compile/excerpt.h"
#include "scenario_tool/compile/keywords.h"
#include "scenario_tool/scenario/position_text.h"

namespace scenario::tool {

namespace {

constexpr std::int64_t kCell = cell_metres;
// A slowdown that starts at or before this has no warning nor announce cells.
constexpr std::int64_t kUnannouncedUpTo = 1500;
// The shortest sensible route length ("lunghezza percorso").
constexpr std::int64_t kShortestRoute = 1000;
// The radius of each curve class, 1 to 6, in metres.
constexpr std::array<int, 6> kClassRadius{10000, 5000, 2500, 1000, 500, 333};

// The lines of a text, ended by CR LF, a lone CR or a lone LF, as the reader counts them.
std::vector<std::string_view> split_lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
    if (end < text.size() && text[end] == '\r' && start < text.size() && text[start] == '\n') {
      ++start;
    }
  }
  return lines;
}

std::string trimmed(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return std::string(s);
}

bool is_comment(std::string_view field) { return field.find('-') != std::string_view::npos; }

bool is_header(std::string_view field) {
  return field.find('[') != std::string_view::npos && field.find(']') != std::string_view::npos;
}

// A text the table file stores with a '?' for a character it cannot hold: one outside
// Windows-1252 in UTF-8 text, or one of the five bytes the code page leaves undefined in 8-bit
// text.
bool stored_with_question_marks(std::string_view text) {
  if (!is_valid_utf8(text)) {
    return text.find_first_of("\x81\x8D\x8F\x90\x9D") != std::string_view::npos;
  }
  const auto marks = [](std::string_view s) { return std::count(s.begin(), s.end(), '?'); };
  return marks(to_windows1252(text)) > marks(text);
}

std::string range_text(const ValueRange& r) {
  return std::to_string(r.min) + " to " + std::to_string(r.max);
}

std::string with_unit(std::int64_t v, const FieldSpec& f) {
  return std::to_string(v) + (f.unit.empty() ? "" : " " + std::string(f.unit));
}

// "segnale" field 12, tempo
std::string field_text(const RecordKind& kind, std::size_t index) {
  return quoted(kind.name) + " field " + std::to_string(index + 2) + ", " +
         std::string(kind.fields[index].name);
}

// What a source is read for, line by line.
class SourceChecker {
 public:
  SourceChecker(SourceKind source, SourceCheck& out) : source_(source), out_(out) {}

  void run(const std::string& text) {
    const auto lines = split_lines(text);
    state_ = State::before_general;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      line_ = static_cast<int>(i) + 1;
      check_line(lines[i]);
    }
    if (state_ == State::before_general && !misspelt_general_) {
      if (source_ == SourceKind::train) {
        warn(0, "no-general",
             "the train source has no \"[generale]\" header: none of its records "
             "is read");
      }
    }
  }

  // The route length the line source gave (its last "lunghezza percorso").
  std::optional<std::int64_t> route_length() const { return route_length_; }
  void set_route_length(std::optional<std::int64_t> length) { route_length_ = length; }
  bool saw(std::string_view name) const { return seen_.contains(name); }
  bool found_general() const { return state_ != State::before_general; }
  // Lines whose keyword is one of the other source's records.
  int foreign_records() const { return foreign_records_; }

 private:
  enum class State { before_general, general, records };

  void warn(int line, std::string id, std::string message) {
    out_.findings.push_back({source_, line, false, std::move(id), std::move(message)});
  }
  void fail(std::string id, std::string message) {
    out_.findings.push_back({source_, line_, true, std::move(id), std::move(message)});
  }
  void drop(std::string id, std::string message, bool fatal = false) {
    out_.findings.push_back({source_, line_, fatal, std::move(id), std::move(message), true});
  }

  // A header on its own line that is a slip for "[generale]": everything after it is lost.
  void check_general_slip(std::string_view text) {
    const std::string word = trimmed(text);
    if (!word.starts_with('[') || !word.ends_with(']')) return;
    const std::size_t d = edit_distance(word, "[generale]");
    if (d == 0 || d > 3) return;
    misspelt_general_ = true;
    drop("misspelt-header", quoted(word) +
                                " is not the \"[generale]\" header (did you mean "
                                "\"[generale]\"?): no record of the source is read without it");
  }

  std::span<const RecordKind> kinds() const {
    if (state_ == State::general) return general_records();
    return source_ == SourceKind::line ? line_records() : train_records();
  }

  bool of_the_other_source(const KeywordField& keyword) const {
    for (const RecordKind& kind : record_kinds()) {
      if (kind.source != source_ && keyword_matches(kind, keyword)) return true;
    }
    return false;
  }

  void check_line(std::string_view text) {
    FieldReader reader(text);
    if (reader.at_end()) return;
    const std::string keyword = reader.read_field();
    if (state_ == State::before_general) {
      // The general header may stand anywhere in the line; so it does for the reader.
      std::string lower(text);
      std::transform(lower.begin(), lower.end(), lower.begin(),
                     [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
      if (lower.find("[generale]") != std::string::npos) {
        state_ = source_ == SourceKind::line ? State::general : State::records;
      } else {
        check_general_slip(text);
      }
      return;
    }
    if (is_comment(keyword)) {
      check_comment(reader);
      return;
    }
    const KeywordField field(keyword);
    std::vector<const RecordKind*> matched;
    for (const RecordKind& kind : kinds()) {
      if (keyword_matches(kind, field)) matched.push_back(&kind);
    }
    if (is_header(keyword)) {
      if (edit_distance(trimmed(keyword), "[fine]") == 0) after_end_ = true;  // in any case
      // The record reads its values from the lines that follow, which seldom hold them.
      for (const RecordKind* kind : matched) {
        drop("header-keyword",
             "the section header " + quoted(trimmed(keyword)) + " contains the keyword " +
                 quoted(kind->first) + ": it is read as a " + quoted(kind->name) +
                 " record, and its values are taken from the lines that follow",
             true);
      }
      if (state_ == State::general && !keyword.starts_with('-')) state_ = State::records;
      return;
    }
    if (matched.size() > 1) {
      warn(line_, "keyword-ambiguous",
           quoted(trimmed(keyword)) + " is the keyword of both " + quoted(matched[0]->name) +
               " and " + quoted(matched[1]->name) + ": the line is read as each in turn");
    }
    if (!matched.empty() && after_end_) {
      drop("after-end", quoted(trimmed(keyword)) +
                            " stands after the \"[fine]\" end marker: records belong before it "
                            "(the generator still reads it; a reader of the source does not)");
    }
    if (matched.empty() && state_ == State::general) check_general_stray(keyword);
    if (!matched.empty()) {
      check_record(*matched.front(), keyword, reader);
    } else if (state_ == State::records && of_the_other_source(field)) {
      ++foreign_records_;
    }
  }

  // The general section reads only the general records, and tells of nothing else it meets: a
  // record of the line or the train there, or a mistyped general keyword, is lost in silence.
  void check_general_stray(const std::string& keyword) {
    const std::string word = trimmed(keyword);
    if (word.empty() || word.find_first_not_of("0123456789+-") == std::string::npos) return;
    const KeywordField field(keyword);
    for (const RecordKind& kind : record_kinds()) {
      if (kind.section == Section::general || !keyword_matches(kind, field)) continue;
      if (kind.source != source_) {
        drop("other-source",
             quoted(kind.name) + " is a record of the " +
                 (kind.source == SourceKind::line ? "line" : "train") + " source: the " +
                 (source_ == SourceKind::line ? "line" : "train") + " source drops it");
      } else {
        drop("general-section",
             quoted(kind.name) +
                 " stands in the general section, which reads only the general records: the "
                 "record is dropped (put it after the next section header)");
      }
      return;
    }
    std::string text = quoted(word) + " matches no record keyword; the record is dropped";
    if (auto suggestion = suggest_keyword(source_, word)) {
      text += " (did you mean \"" + *suggestion + "\"?)";
    }
    drop("unknown-keyword", text);
  }

  // A comment line's further fields are read as keywords.
  void check_comment(FieldReader& reader) {
    while (!reader.at_end()) {
      const std::string field = reader.read_field();
      if (is_comment(field)) continue;
      for (const RecordKind& kind : kinds()) {
        if (keyword_matches(kind, field)) {
          warn(line_, "comment-keyword",
               "after the comma, " + quoted(trimmed(field)) +
                   " is no longer a comment: it is "
                   "read as a " +
                   quoted(kind.name) + " record");
          return;
        }
      }
    }
  }

  void check_record(const RecordKind& kind, const std::string& keyword, FieldReader& reader) {
    seen_.insert(kind.name);
    CheckedRecord record{&kind, source_, line_, keyword, {}};
    for (std::size_t i = 0; i < kind.fields.size(); ++i) {
      if (!read_value(kind, i, reader, record)) {
        out_.records.push_back(std::move(record));
        return;
      }
    }
    check_left_over(kind, reader);
    check_values(kind, record);
    out_.records.push_back(std::move(record));
  }

  // False when the record cannot be read further.
  bool read_value(const RecordKind& kind, std::size_t i, FieldReader& reader,
                  CheckedRecord& record) {
    const FieldSpec& f = kind.fields[i];
    if (reader.at_end()) {
      fail("fields-missing", quoted(kind.name) + " needs " + std::to_string(kind.field_count()) +
                                 " fields, this record has " + std::to_string(i + 1) +
                                 " (the values from " + std::string(f.name) + " on are missing)");
      return false;
    }
    if (f.type == ValueType::text) {
      if (stored_with_question_marks(reader.read_field())) {
        warn(line_, "text-lossy",
             quoted(kind.name) + ": the " + std::string(f.name) +
                 " holds a character Windows-1252 cannot hold; it is stored as '?'");
      }
      record.values.push_back(std::nullopt);
      return true;
    }
    const std::string_view field = reader.peek_field();
    std::int64_t v = 0;
    try {
      v = reader.read_whole();
    } catch (const SourceReadError&) {
      const std::string token = trimmed(field);
      const bool empty = token.empty();
      fail("record-unreadable", field_text(kind, i) + ": " +
                                    (empty ? std::string("the value is missing")
                                           : quoted(token) + " is not a whole number" +
                                                 (token.find_first_of(".,") != std::string::npos
                                                      ? " (no decimal point: whole numbers only)"
                                                      : "")));
      return false;
    }
    record.values.push_back(v);
    const ValueRange accepted = f.accepted_range();
    if (!accepted.contains(v)) {
      fail("out-of-range", field_text(kind, i) + ": " + with_unit(v, f) +
                               " is outside what the compiler takes (" + range_text(accepted) +
                               ")");
      return true;
    }
    if (f.sensible && !f.sensible->contains(v)) {
      warn(line_, "out-of-range",
           field_text(kind, i) + ": " + with_unit(v, f) + " is outside the sensible range " +
               range_text(*f.sensible) + (f.unit.empty() ? "" : " " + std::string(f.unit)));
    }
    if (f.step != 0 && v % f.step != 0) {
      const std::int64_t stored =
          static_cast<std::int64_t>(std::nearbyint(static_cast<double>(v) / f.step)) * f.step;
      warn(line_, "rounded",
           field_text(kind, i) + ": " + with_unit(v, f) + " is stored as " + with_unit(stored, f) +
               " (in steps of " + std::to_string(f.step) + ")");
    }
    return true;
  }

  void check_left_over(const RecordKind& kind, FieldReader& reader) {
    std::vector<std::string> rest;
    while (!reader.at_end()) {
      const std::string field = trimmed(reader.read_field());
      if (!field.empty()) rest.push_back(field);
    }
    if (rest.empty()) return;
    if (kind.fields.back().type == ValueType::text) {
      warn(line_, "text-cut",
           quoted(kind.name) + ": the " + std::string(kind.fields.back().name) +
               " ends at the comma; " + quoted(rest.front()) + " after it is left out");
      return;
    }
    warn(line_, "fields-left-over",
         quoted(kind.name) + " has " + std::to_string(kind.field_count()) +
             " fields, this record " +
             std::to_string(kind.field_count() + static_cast<int>(rest.size())) + ": " +
             quoted(rest.front()) + (rest.size() > 1 ? " and what follows are" : " is") +
             " ignored");
  }

  void check_values(const RecordKind& kind, const CheckedRecord& r) {
    const auto value = [&](std::size_t i) { return r.values.at(i).value_or(0); };
    const std::string_view name = kind.name;
    if (name == "lunghezza percorso") route_length_ = value(0);
    if (!kind.fields.empty() && kind.fields.front().unit == "m" &&
        kind.section != Section::general) {
      check_position(kind, value(0));
    }
    if (name == "pendenza" && value(1) == -gradient_base) {
      warn(line_, "gradient-unset",
           "\"pendenza\": a gradient of -100 is stored as the byte 0, which the files take for "
           "'no gradient written'");
    }
    if (name == "montagna" && value(1) < value(0)) {
      warn(line_, "stretch-reversed",
           "\"montagna\" ends at " + km_position(value(1)) + ", before it starts at " +
               km_position(value(0)) + ": no cell of the tunnel is stored");
    }
    if (name == "rallentamento") check_slowdown(value(0), value(2));
    if (name == "segnale" && value(1) == 2 && value(10) >= 1 && value(10) <= 100) {
      warn(line_, "rounded",
           "\"segnale\" field 12, tempo: " + std::to_string(value(10)) + " s is stored as 101 s");
    }
    if (name == "curva") check_curve_keyword(r);
    if (name == "pendenza" || name == "velocita' limite" || name == "aderenza" || name == "curva") {
      check_order(name, value(0));
    }
  }

  // A route length outside its sensible range is told once, on its own record, not again on
  // every feature beyond it.
  void check_position(const RecordKind& kind, std::int64_t p) {
    if (route_length_ && *route_length_ >= kShortestRoute && p > *route_length_) {
      warn(line_, "beyond-route",
           quoted(kind.name) + " at " + km_position(p) + " lies beyond the end of the route (" +
               km_position(*route_length_) + "), on the track that runs on past it");
    }
  }

  void check_slowdown(std::int64_t x, std::int64_t l) {
    const auto cell = [](std::int64_t p) {
      return static_cast<std::int64_t>(std::nearbyint(static_cast<double>(p) / kCell + 1.0));
    };
    if (cell(x + l) <= cell(x)) {
      warn(line_, "slowdown-no-end",
           "\"rallentamento\" of length " + std::to_string(l) +
               " m: its end falls in its start's cell, so it has no end cell and its markers run "
               "on to the end of the track");
    }
    if (x <= kUnannouncedUpTo) {
      warn(line_, "slowdown-unannounced",
           "\"rallentamento\" at " + km_position(x) +
               ": a slowdown that starts at or before km 1.500 has no warning nor announce cells");
    }
  }

  // The keyword carries the side ("s" left, anything else right) and the class digit.
  void check_curve_keyword(const CheckedRecord& r) {
    std::string word = r.keyword;
    std::transform(word.begin(), word.end(), word.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    if (word.find('s') == std::string::npos && word.find('d') == std::string::npos) {
      warn(line_, "curve-side",
           quoted(trimmed(r.keyword)) +
               " has no side letter: it is read as a right-hand curve "
               "(write curvas... for left, curvad... for right)");
    }
    check_curve_class(trimmed(r.keyword));
  }

  // The reader takes the lowest class digit found anywhere in the keyword: "curvad300" is a
  // class 3 curve, not a radius of 300 m, and "curvad12" class 1.
  void check_curve_class(const std::string& word) {
    std::string digits;
    for (char c : word) {
      if (c >= '0' && c <= '9') digits += c;
    }
    if (digits.empty() || (digits.size() == 1 && digits[0] >= '1' && digits[0] <= '6')) return;
    const char read = *std::min_element(digits.begin(), digits.end(), [](char a, char b) {
      const bool a_class = a >= '1' && a <= '6';
      const bool b_class = b >= '1' && b <= '6';
      return a_class != b_class ? a_class : a < b;
    });
    const bool has_class = read >= '1' && read <= '6';
    if (!has_class) return;  // no class digit at all: the compiler records code 11 itself
    drop("curve-class", quoted(word) + " holds the digits " + digits +
                            ", not one class digit: it is compiled as class " +
                            std::string(1, read) + " (radius " +
                            std::to_string(kClassRadius[read - '1']) +
                            " m); write the class 1 to 6 alone, as in curvad3");
  }

  void check_order(std::string_view name, std::int64_t p) {
    const auto last = last_position_.find(name);
    if (last != last_position_.end() && p < last->second) {
      warn(line_, "out-of-order",
           quoted(name) + " at " + km_position(p) + " comes after one at " +
               km_position(last->second) + ": these records must stand in rising order");
    }
    last_position_[name] = p;
  }

  SourceKind source_;
  SourceCheck& out_;
  State state_ = State::before_general;
  int line_ = 0;
  std::optional<std::int64_t> route_length_;
  std::map<std::string_view, std::int64_t> last_position_;
  std::set<std::string_view> seen_;  // names of the record kinds, which live in their table
  int foreign_records_ = 0;
  bool after_end_ = false;
  bool misspelt_general_ = false;
};

}  // namespace

SourceCheck check_sources(const std::string& line_source, const std::string& train_source) {
  SourceCheck out;
  SourceChecker line(SourceKind::line, out);
  line.run(line_source);
  SourceChecker train(SourceKind::train, out);
  train.set_route_length(line.route_length());
  train.run(train_source);

  // Without the header the compiler says so itself (error 102).
  if (line.found_general() && !line.saw("lunghezza percorso")) {
    const bool swapped = line.foreign_records() > 0 && train.foreign_records() > 0;
    out.findings.push_back(
        {SourceKind::line, 0, true, "missing-record",
         std::string("no \"lunghezza percorso\" record in the general section: the compile makes "
                     "no track and writes nothing") +
             (swapped ? " (are the two sources swapped?)" : "")});
  }
  // Without its header the train source has no record at all: that is told once, above.
  for (const char* name : {"percentuale massa frenata", "numero vetture", "velocita' limite",
                           "aderenza", "orologio"}) {
    if (train.saw(name) || !train.found_general()) continue;
    const std::string what = std::string(name) == "orologio" ? "the clock starts at 00:00:00"
                             : std::string(name) == "velocita' limite" ? "every speed limit is 0"
                             : std::string(name) == "aderenza"         ? "every adhesion is 0"
                                                                       : "it is 0";
    out.findings.push_back({SourceKind::train, 0, false, "missing-record",
                            "no \"" + std::string(name) + "\" record: " + what});
  }
  return out;
}

}  // namespace scenario::tool
