// Writes a pair of sources into a file system in memory and compiles them there with the tool's
// compile, as a test of a later verb needs its compiled files.
#pragma once

#include <string>

#include "platform/memory_file_system.h"
#include "platform/paths.h"
#include "scenario_tool/exit_codes.h"
#include "scenario_tool/verbs/verbs.h"
#include "support/verb_run.h"

namespace scenario::testing {

struct SourceFile {
  std::string path;
  std::string text;
};

inline VerbRun compile_in_memory(MemoryFileSystem& fs, const SourceFile& line,
                                 const SourceFile& train, const std::string& out_dir) {
  fs.put(line.path, line.text);
  fs.put(train.path, train.text);
  tool::CompileOptions o;
  o.line_source = line.path;
  o.train_source = train.path;
  o.out_dir = out_dir;
  return run_verb(tool::run_compile, o, fs);
}

// The built-in sources as `template` writes them into `source_dir`, compiled into `out_dir`; the
// run of template where that fails.
inline VerbRun compile_builtin_in_memory(MemoryFileSystem& fs, const std::string& source_dir,
                                         const std::string& out_dir) {
  const VerbRun written =
      run_verb(tool::run_template, tool::TemplateOptions{source_dir, false}, fs);
  if (written.status != tool::exit_code::clean) return written;
  tool::CompileOptions o;
  o.line_source = join_path(source_dir, "Valdora_Lusa_linea.txt");
  o.train_source = join_path(source_dir, "Valdora_Lusa_24863-.txt");
  o.out_dir = out_dir;
  return run_verb(tool::run_compile, o, fs);
}

}  // namespace scenario::testing
