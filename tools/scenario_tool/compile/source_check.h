// A check of an author's two sources, line by line, against the table of record kinds: what the
// compiler cannot read (it would fail with code 25), and what it reads but almost certainly not as
// the author meant (a value outside its sensible range, a value it rounds or cuts, fields missing
// or left over, a stretch whose end is before its start...). It reads the sources as the reader
// does, but changes nothing of what the compiler does with them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "compiler/observer.h"
#include "compiler/record_kinds.h"

namespace scenario::tool {

struct Finding {
  SourceKind source = SourceKind::none;
  int line = 0;  // 0: the source as a whole
  // The compiler cannot read this record: it fails with code 25 on it (or just after it).
  bool fatal = false;
  std::string warning;  // the warning's id; for a fatal finding, the one it has when no 25 comes
  std::string message;
  // The compile drops the record (or never reads the source): an error, code or none.
  bool error = false;
};

// A record as the check read it.
struct CheckedRecord {
  const RecordKind* kind = nullptr;
  SourceKind source = SourceKind::none;
  int line = 0;
  std::string keyword;
  std::vector<std::optional<std::int64_t>> values;  // numbers as read; none for text or unread
};

struct SourceCheck {
  std::vector<Finding> findings;  // in the order of the sources and their lines
  std::vector<CheckedRecord> records;
};

SourceCheck check_sources(const std::string& line_source, const std::string& train_source);

}  // namespace scenario::tool
