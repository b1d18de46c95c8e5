// Every kind of record the reader knows, with the words that recognise it and its fields: their
// names, how they are read, their units, the values the compiler takes and the values that make
// sense, and where each lands in the compiled files. The reader recognises records by these
// tables, the author's tool checks sources and explains records with them, and the format
// reference is checked against them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "compiler/codes.h"
#include "compiler/observer.h"

namespace scenario {

// How the reader reads a value: a number of 32, 16 or 8 bits (the last unsigned), or a text that
// runs to the next comma or the end of the line.
enum class ValueType { whole, short_number, byte, text };

struct ValueRange {
  std::int64_t min;
  std::int64_t max;

  bool contains(std::int64_t v) const { return v >= min && v <= max; }
};

// The values a type can hold at all.
ValueRange type_range(ValueType type);
// "whole number", "short number", "byte", "text".
std::string_view type_name(ValueType type);

struct FieldSpec {
  std::string_view name;
  ValueType type;
  std::string_view unit;  // "m", "km/h", "per mille", "s", or empty
  // The values the compile takes; outside them it fails with code 25. Unset: the type's range.
  std::optional<ValueRange> accepted;
  // The values that make sense; a value outside them compiles but is almost certainly wrong.
  std::optional<ValueRange> sensible;
  // A value that is not a multiple of this is rounded by the compiler (0: none).
  std::int64_t step = 0;
  std::string_view meaning;
  // Where the value lands in the compiled files.
  std::string_view goes_to;

  ValueRange accepted_range() const { return accepted.value_or(type_range(type)); }
};

enum class Section { general, records };

struct RecordKind {
  std::string_view name;  // the keyword as an author writes it
  SourceKind source;
  Section section;
  // The words the keyword field must contain (the second may be empty), in exact case or not.
  std::string_view first;
  std::string_view second;
  bool exact_case;
  std::span<const FieldSpec> fields;
  std::string_view meaning;
  std::span<const Code> codes;  // the codes the record itself can raise, 25 apart

  // Fields of the record, the keyword field counted.
  int field_count() const { return static_cast<int>(fields.size()) + 1; }
};

// In the order the reader tests them: the general section, the line records, the train records.
std::span<const RecordKind> record_kinds();
std::span<const RecordKind> general_records();
std::span<const RecordKind> line_records();
std::span<const RecordKind> train_records();

// The record kind named `name` (as record_kinds() names them), or none.
const RecordKind* find_record_kind(std::string_view name);

// A keyword field with its lower-case form, to test against many kinds at once.
struct KeywordField {
  explicit KeywordField(std::string_view field);
  std::string_view text;
  std::string lowered;
};

// Whether a keyword field is recognised as this kind: it contains the kind's words.
bool keyword_matches(const RecordKind& kind, const KeywordField& field);
bool keyword_matches(const RecordKind& kind, std::string_view field);

}  // namespace scenario
