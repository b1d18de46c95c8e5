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

// Makes the folder, then writes the files (each replaced whole), telling "wrote PATH" for each.
// Without `force` nothing is written when any of the files exists. Returns the exit status.
int write_source_files(FileSystem& fs, const std::string& folder,
                       const std::vector<SourceFile>& files, bool force, std::ostream& out,
                       std::ostream& err);

}  // namespace scenario::tool
