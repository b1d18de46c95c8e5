// Writing an author's pair of sources into a folder, refusing to replace files that are there
// unless told to.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace scenario::tool {

struct SourceFile {
  std::string path;
  std::string bytes;
};

// The one line of a refusal to replace an author's sources: "A and B are already there; nothing
// was written: give --force to replace them".
std::string refusal_text(const std::vector<std::string>& paths);

// Makes the folder, then writes the files (each replaced whole), telling "wrote PATH" for each.
// Without `force` nothing is written when any of the files exists (exit_code::usage, the status
// of every refusal). Returns the exit status.
int write_source_files(FileSystem& fs, const std::string& folder,
                       const std::vector<SourceFile>& files, bool force, std::ostream& out,
                       std::ostream& err);

}  // namespace scenario::tool
