#include "scenario_tool/verbs/source_files.h"

#include "platform/replace_files.h"
#include "scenario_tool/exit_codes.h"

namespace scenario::tool {

int write_source_files(FileSystem& fs, const std::string& folder,
                       const std::vector<SourceFile>& files, bool force, std::ostream& out,
                       std::ostream& err) {
  if (!force) {
    bool refused = false;
    for (const SourceFile& f : files) {
      if (fs.kind_of(f.path) == PathKind::missing) continue;
      err << "scenario_tool: " << f.path << " exists; give --force to replace it\n";
      refused = true;
    }
    if (refused) return exit_code::usage;
  }
  try {
    std::string reason;
    if (!fs.make_folders(folder, &reason)) throw FileError(folder, reason, "create");
    // The pair is replaced whole, as the compiled files are.
    std::vector<OutputBlob> blobs;
    for (const SourceFile& f : files) blobs.push_back({f.path, f.bytes});
    replace_files(fs, blobs);
  } catch (const FileError& e) {
    err << "scenario_tool: " << e.what() << "\n";
    return exit_code::io_failure;
  }
  for (const SourceFile& f : files) out << "wrote " << f.path << "\n";
  return exit_code::clean;
}

}  // namespace scenario::tool
