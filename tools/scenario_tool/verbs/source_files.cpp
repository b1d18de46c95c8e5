#include "scenario_tool/verbs/source_files.h"

#include "platform/replace_files.h"
#include "scenario_tool/exit_codes.h"
#include "scenario_tool/scenario/reporter.h"

namespace scenario::tool {

std::string refusal_text(const std::vector<std::string>& paths) {
  std::string names;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (i > 0) names += i + 1 == paths.size() ? " and " : ", ";
    names += paths[i];
  }
  const bool one = paths.size() == 1;
  return names + (one ? " is" : " are") + " already there; nothing was written: give --force to " +
         "replace " + (one ? "it" : "them");
}

int write_source_files(FileSystem& fs, const std::string& folder,
                       const std::vector<SourceFile>& files, bool force, std::ostream& out,
                       std::ostream& err) {
  if (!force) {
    std::vector<std::string> there;
    for (const SourceFile& f : files) {
      if (fs.kind_of(f.path) != PathKind::missing) there.push_back(f.path);
    }
    if (!there.empty()) {
      report_error(err, refusal_text(there));
      return exit_code::usage;
    }
  }
  try {
    std::string reason;
    if (!fs.make_folders(folder, &reason)) throw FileError(folder, reason, "create");
    // The pair is replaced whole, as the compiled files are.
    std::vector<OutputBlob> blobs;
    for (const SourceFile& f : files) blobs.push_back({f.path, f.bytes});
    replace_files(fs, blobs);
  } catch (const FileError& e) {
    report_error(err, e.what());
    return exit_code::io_failure;
  }
  for (const SourceFile& f : files) out << "wrote " << f.path << "\n";
  return exit_code::clean;
}

}  // namespace scenario::tool
