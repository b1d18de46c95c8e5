#include "support/sources.h"

#include "platform/memory_file_system.h"

namespace scenario::testing {

std::string crlf(const Lines& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

std::string source_text(const Lines& head, const Lines& records, const Lines& tail) {
  return crlf(head) + crlf(records) + crlf(tail);
}

void put_sources(MemoryFileSystem& fs, const ScenarioNames& names, const std::string& line_source,
                 const std::optional<std::string>& train_source) {
  fs.put(line_source_path(names), line_source);
  if (train_source) fs.put(train_source_path(names), *train_source);
}

}  // namespace scenario::testing
