// What the verbs write: never over one of the files they read, and a pair or a set of pages
// replaced whole, as the compiled files are.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>

#include "platform/faulty_file_system.h"
#include "platform/memory_file_system.h"
#include "platform/replace_files.h"
#include "run/builtin_scenario.h"
#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {
namespace {

const std::vector<std::string> kInputs{"in/Valdora_Lusa_24863.dat", "in/Valdora_Lusa_24863.sim",
                                       "in/Valdora_Lusa_linea.dat"};

// The built-in scenario compiled into "in", under other identifiers when given.
void compiled_builtin(MemoryFileSystem& fs, std::optional<std::string> route_id = std::nullopt,
                      std::optional<std::string> train_number = std::nullopt) {
  std::ostringstream out, err;
  ASSERT_EQ(run_template({"src", false}, fs, out, err), 0);
  CompileOptions o;
  o.line_source = "src/Valdora_Lusa_linea.txt";
  o.train_source = "src/Valdora_Lusa_24863-.txt";
  o.out_dir = "in";
  o.route_id = std::move(route_id);
  o.train_number = std::move(train_number);
  ASSERT_EQ(run_compile(o, fs, out, err), 0) << err.str();
}

TEST(VerbOutputs, AnOutputOnAnInputIsRefusedAndTheInputKept) {
  MemoryFileSystem fs;
  compiled_builtin(fs);
  for (const std::string& input : kInputs) {
    SCOPED_TRACE(input);
    const std::string before = *fs.contents(input);
    std::ostringstream out, err;
    // -o names a folder: one that is an input file cannot be made, and nothing is written.
    EXPECT_EQ(run_view({{"in"}, input}, fs, out, err), exit_code::io_failure);
    EXPECT_NE(err.str().find(input), std::string::npos) << err.str();
    EXPECT_EQ(fs.contents(input), before);
  }
}

// The second file's rename into place fails: without a set, the first would already be the new
// one beside the old second.
TEST(VerbOutputs, ThePairOfSourcesIsReplacedWhole) {
  MemoryFileSystem disk;
  disk.put("out/Valdora_Lusa_linea.txt", "old line");
  disk.put("out/Valdora_Lusa_24863-.txt", "old train");
  FaultyFileSystem fs(disk);
  fs.fail_kind = "rename";
  fs.fail_at = 4;  // two old files step aside, the first new one goes in, the second fails
  std::ostringstream out, err;
  EXPECT_EQ(run_template({"out", true}, fs, out, err), exit_code::io_failure);
  EXPECT_EQ(disk.contents("out/Valdora_Lusa_linea.txt"), "old line");
  EXPECT_EQ(disk.contents("out/Valdora_Lusa_24863-.txt"), "old train");
  EXPECT_EQ(disk.paths().size(), 2u);
}

// Identifiers that Windows cannot have in a file name: the sources get names every system can
// hold, the tool says which identifiers to compile them with, and those give the same files.
TEST(VerbOutputs, DecompiledSourcesHaveNamesEverySystemCanHold) {
  MemoryFileSystem fs;
  ASSERT_NO_FATAL_FAILURE(compiled_builtin(fs, "Val:dora*", "24?863"));
  DecompileOptions d;
  d.paths = {"in"};
  d.out_dir = "out";
  std::ostringstream dout, derr;
  EXPECT_EQ(run_decompile(d, fs, dout, derr), exit_code::clean) << derr.str();
  EXPECT_TRUE(fs.has("out/Val_dora__linea.txt"));
  EXPECT_TRUE(fs.has("out/Val_dora__24_863-.txt"));
  EXPECT_NE(dout.str().find("--route-id \"Val:dora*\" --train-number \"24?863\""),
            std::string::npos)
      << dout.str();
  EXPECT_NE(dout.str().find("round trip exact"), std::string::npos) << dout.str();
}

}  // namespace
}  // namespace scenario::tool
