// What a compile tells as it goes: every code it records and every keyword it cannot place. The
// generator shows none of it; an author's tool turns it into diagnostics.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "compiler/codes.h"

namespace scenario {

struct RecordKind;

// Which text source the reader is on when something is recorded.
enum class SourceKind { none, line, train };

class CompileObserver {
 public:
  virtual ~CompileObserver() = default;
  // A code was recorded. `line` is the 1-based line the reader was on (0 when not reading).
  virtual void on_code(Code code, std::optional<std::int32_t> pos, SourceKind source, int line) = 0;
  // A record's keyword field matched no record kind (comments, headers and empty fields excluded).
  virtual void on_unknown_keyword(SourceKind source, int line, const std::string& field) = 0;
  // A record of `kind`, whose keyword stands on `line`, has been read: `values` is how many values
  // the reader took for it. Not told when the reading failed inside the record.
  virtual void on_record(const RecordKind& kind, SourceKind source, int line, int values) {
    (void)kind, (void)source, (void)line, (void)values;
  }
};

// Hears everything and keeps nothing.
class NullObserver final : public CompileObserver {
 public:
  void on_code(Code, std::optional<std::int32_t>, SourceKind, int) override {}
  void on_unknown_keyword(SourceKind, int, const std::string&) override {}
};

// One shared instance: it has no state.
CompileObserver& null_observer();

}  // namespace scenario
