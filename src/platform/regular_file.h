// The check every reading verb makes on each path before it reads: a folder, a FIFO or a device
// is refused by name, before anything waits on it or reads it without end.
#pragma once

#include <optional>
#include <string>

namespace scenario {

class FileSystem;

// Nothing when `path` is a regular file (or a link to one); otherwise why it cannot be read as
// one: "X is a FIFO, not a regular file", "no such file: X".
std::optional<std::string> not_a_regular_file(FileSystem& fs, const std::string& path);

}  // namespace scenario
