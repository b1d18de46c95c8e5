// The table of record kinds against the reader: every kind is recognised by its own keyword and
// read with exactly the values the table gives it, and nothing but its own kind matches it.
#include "compiler/record_kinds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/memorizza_dati.h"
#include "support/sources.h"

namespace scenario {
namespace {

struct Heard {
  const RecordKind* kind;
  SourceKind source;
  int line;
  int values;
};

class RecordListener : public CompileObserver {
 public:
  void on_code(Code, std::optional<std::int32_t>, SourceKind, int) override {}
  void on_unknown_keyword(SourceKind, int, const std::string&) override {}
  void on_record(const RecordKind& kind, SourceKind source, int line, int values) override {
    heard.push_back({&kind, source, line, values});
  }
  std::vector<Heard> heard;
};

// A value of the field's own kind that the reader takes: a text, or a number that makes sense.
std::string example_value(const FieldSpec& f) {
  if (f.type == ValueType::text) return "TESTO";
  if (f.unit == "m") return "5000";
  if (f.sensible) return std::to_string(f.sensible->min);
  return "0";
}

std::string example_record(const RecordKind& kind) {
  std::string line = std::string(kind.name);
  if (kind.name == "curva") line += "d3";
  for (const FieldSpec& f : kind.fields) line += ", " + example_value(f);
  return line;
}

TEST(RecordKindsTest, EveryKindIsReadWithTheValuesOfItsTable) {
  for (const RecordKind& kind : record_kinds()) {
    SCOPED_TRACE(std::string(kind.name));
    const bool in_line = kind.source == SourceKind::line;
    const bool general = kind.section == Section::general;
    // Line 4 holds the record: after the general header (and the length, for a general record).
    testing::Lines line_source{"titolo", "[generale]", "lunghezza percorso, 20000"};
    if (general) line_source.push_back(example_record(kind));
    line_source.push_back("[tracciato]");
    if (in_line && !general) line_source.push_back(example_record(kind));
    testing::Lines train_source{"titolo", "[generale]", "sabbia, 1"};
    if (!in_line) train_source.push_back(example_record(kind));

    RecordListener listener;
    Compilation c({"R", "1"}, listener);
    c.sources = testing::sources_of(testing::crlf(line_source), testing::crlf(train_source));
    memorizza_dati(c);

    const int line = general ? 4 : in_line ? 5 : 4;
    int seen = 0;
    for (const Heard& h : listener.heard) {
      if (h.source != kind.source || h.line != line) continue;
      ++seen;
      EXPECT_EQ(h.kind, &kind) << "read as " << h.kind->name;
      EXPECT_EQ(h.values, static_cast<int>(kind.fields.size()));
    }
    EXPECT_EQ(seen, 1) << example_record(kind);
  }
}

TEST(RecordKindsTest, NamesAreUniqueAndEveryFieldSaysWhatItIsAndWhereItGoes) {
  std::vector<std::string_view> names;
  for (const RecordKind& kind : record_kinds()) {
    EXPECT_TRUE(keyword_matches(kind, kind.name)) << kind.name;
    EXPECT_EQ(std::count(names.begin(), names.end(), kind.name), 0) << kind.name;
    names.push_back(kind.name);
    EXPECT_FALSE(kind.meaning.empty()) << kind.name;
    for (const FieldSpec& f : kind.fields) {
      EXPECT_FALSE(f.meaning.empty()) << kind.name << " " << f.name;
      EXPECT_FALSE(f.goes_to.empty()) << kind.name << " " << f.name;
      if (f.sensible) {
        EXPECT_TRUE(f.accepted_range().contains(f.sensible->min)) << kind.name << " " << f.name;
        EXPECT_TRUE(f.accepted_range().contains(f.sensible->max)) << kind.name << " " << f.name;
      }
    }
  }
  EXPECT_EQ(find_record_kind("segnale")->field_count(), 12);
  EXPECT_EQ(find_record_kind("stazione")->field_count(), 18);
  EXPECT_EQ(find_record_kind("nessuno"), nullptr);
}

}  // namespace
}  // namespace scenario
