// The output folder of `compile`: made, with the folders above it, only when there is a file to
// write into it, and named when it cannot be made.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/memory_file_system.h"
#include "run/builtin_scenario.h"
#include "scenario_tool/verbs/verbs.h"
#include "sources/contenuti.h"

namespace scenario::tool {
namespace {

struct Outcome {
  int status;
  std::string err;
};

Outcome compile_into(MemoryFileSystem& fs, const std::string& out_dir) {
  CompileOptions o;
  o.line_source = "/src/Valdora_Lusa_linea.txt";
  o.train_source = "/src/Valdora_Lusa_24863-.txt";
  o.out_dir = out_dir;
  std::ostringstream out;
  std::ostringstream err;
  const int status = run_compile(o, fs, out, err);
  return {status, err.str()};
}

TEST(CompileOutputFolderTest, MadeOnlyForFilesAndNamedWhenItCannotBe) {
  MemoryFileSystem fs;
  fs.put("/src/Valdora_Lusa_linea.txt", render_lines(contenuto_linea()));
  fs.put("/src/Valdora_Lusa_24863-.txt", render_lines(contenuto_treno()));
  EXPECT_EQ(compile_into(fs, "/out/deeper").status, exit_code::clean);
  EXPECT_TRUE(fs.is_folder("/out/deeper"));
  EXPECT_EQ(fs.paths().size(), 5u);

  fs.put("/blocked", "a file where the folder should be");
  const Outcome blocked = compile_into(fs, "/blocked/out");
  EXPECT_EQ(blocked.status, exit_code::io_failure);
  EXPECT_NE(blocked.err.find("scenario_tool: error: cannot create /blocked/out: "),
            std::string::npos)
      << blocked.err;

  // A compile that stops before a track writes nothing, and makes no folder.
  fs.put("/src/Valdora_Lusa_linea.txt", "no general section\r\n");
  EXPECT_EQ(compile_into(fs, "/empty").status, exit_code::recorded_code);
  EXPECT_FALSE(fs.is_folder("/empty"));
}

}  // namespace
}  // namespace scenario::tool
