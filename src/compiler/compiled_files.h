// The three compiled files of a model, as writers that stream their bytes: the line file (only
// when the line geometry was built), the table file and the track file, in the order the
// generator writes them. Where the bytes go is the caller's business.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "format/compiled_scenario.h"
#include "platform/byte_sink.h"

namespace scenario {

enum class CompiledFileKind { line, table, track };

struct CompiledFile {
  CompiledFileKind kind;
  // Puts the file into the sink in pieces; the model must outlive it.
  std::function<void(ByteSink&)> write;

  // The whole file at once.
  std::string bytes() const;
};

std::vector<CompiledFile> compiled_files(const CompiledScenario& model);

// The three files' bytes together; no line file for a model without its geometry.
struct CompiledFileBytes {
  std::optional<std::string> line;
  std::string table;
  std::string track;
};

CompiledFileBytes compiled_file_bytes(const std::vector<CompiledFile>& files);

}  // namespace scenario
