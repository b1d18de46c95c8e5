#include "support/sources.h"

namespace scenario::testing {

std::string crlf(const Lines& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

std::string source_text(const Lines& head, const Lines& records, const Lines& tail) {
  return crlf(head) + crlf(records) + crlf(tail);
}

ScenarioSources sources_of(const std::string& line_source,
                           const std::optional<std::string>& train_source) {
  ScenarioSources sources{SourceText::of(line_source), {}};
  if (train_source) sources.train = SourceText::of(*train_source);
  return sources;
}

}  // namespace scenario::testing
