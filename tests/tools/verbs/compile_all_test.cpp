// compile --all over a tree of scenarios: each pair's files are those of a single compile of it,
// whatever runs beside it, and the batch tells how each went.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "platform/paths.h"
#include "scenario_tool/verbs/verbs.h"
#include "support/test_support.h"
#include "support/verb_run.h"

namespace scenario::tool {
namespace {

using namespace scenario::testing;

using Outcome = VerbRun;

template <typename Options, typename Run>
Outcome run(const Options& o, Run verb) {
  RealFileSystem fs;
  return run_verb(verb, o, fs);
}

// Two routes in two folders: the built-in one with a second train that records code 25 (both
// share the route's line file), and a starter scenario one folder deeper.
class CompileAllTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TemplateOptions builtin;
    builtin.out_dir = builtin_;
    ASSERT_EQ(run(builtin, run_template).status, 0);
    std::string train = read_file(join_path(builtin_, "Valdora_Lusa_24863-.txt"));
    train += "segnale, 1000, 1, 3, 4\r\n";
    write_file(join_path(builtin_, "Valdora_Lusa_99-.txt"), train);
    NewOptions starter;
    starter.route_id = "Prova";
    starter.train_number = "7";
    starter.out_dir = starter_;
    ASSERT_EQ(run(starter, run_new).status, 0);
  }

  // The three files and the messages of a single compile of one pair into a fresh folder.
  struct Single {
    std::vector<std::string> names;
    std::vector<std::string> bytes;
    std::string err;
  };
  Single single_compile(const std::string& folder, const std::string& route,
                        const std::string& train) {
    const std::string out = join_path(singles_.str(), route + train);
    CompileOptions o;
    o.line_source = join_path(folder, route + "_linea.txt");
    o.train_source = join_path(folder, route + "_" + train + "-.txt");
    o.out_dir = out;
    Single s{{}, {}, run(o, run_compile).err};
    if (std::filesystem::exists(out)) s.names = list_folder(out);
    for (const std::string& name : s.names) s.bytes.push_back(read_file(join_path(out, name)));
    return s;
  }

  TempDir root_;
  TempDir singles_;
  std::string builtin_ = join_path(root_.str(), "builtin");
  std::string starter_ = join_path(join_path(root_.str(), "mine"), "prova");
};

TEST_F(CompileAllTest, EachPairGetsTheFilesOfASingleCompileAndTheWorstStatus) {
  for (unsigned jobs : {1u, 3u}) {
    SCOPED_TRACE(jobs);
    CompileAllOptions o;
    o.folders = {root_.str()};
    o.jobs = jobs;
    const Outcome r = run(o, run_compile_all);
    EXPECT_EQ(r.status, exit_code::recorded_code) << r.err;

    struct Pair {
      std::string folder, route, train, status;
      std::size_t files;
    };
    // A scenario with an error fails and, as a single compile, writes nothing.
    for (const Pair& p : {Pair{builtin_, "Valdora_Lusa", "24863", "0 clean", 3},
                          Pair{builtin_, "Valdora_Lusa", "99", "2 failed", 0},
                          Pair{starter_, "Prova", "7", "0 clean", 3}}) {
      SCOPED_TRACE(p.route + "_" + p.train);
      const Single single = single_compile(p.folder, p.route, p.train);
      ASSERT_EQ(single.names.size(), p.files);
      for (std::size_t i = 0; i < single.names.size(); ++i) {
        EXPECT_EQ(read_file(join_path(p.folder, single.names[i])), single.bytes[i])
            << single.names[i];
      }
      // The diagnostics of a single compile, word for word.
      EXPECT_NE(r.err.find(single.err), std::string::npos) << r.err;
      const std::string row = join_path(p.folder, p.route + "_" + p.train);
      const auto at = r.out.find(row + " ");
      ASSERT_NE(at, std::string::npos) << r.out;
      const std::string line = r.out.substr(at, r.out.find('\n', at) - at);
      EXPECT_NE(line.find(" " + p.status + " "), std::string::npos) << line;
    }
    // The rows are in the order the pairs were found, however the compiles finished.
    EXPECT_LT(r.out.find("Valdora_Lusa_24863"), r.out.find("Valdora_Lusa_99"));
    EXPECT_LT(r.out.find("Valdora_Lusa_99"), r.out.find("Prova_7"));
    EXPECT_NE(r.out.find(" 25 "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("3 scenario(s), 2 clean, 1 failed; exit status 2\n"), std::string::npos)
        << r.out;
    EXPECT_EQ(r.err.find('\r'), std::string::npos) << "no progress line unless asked";
  }
}

TEST_F(CompileAllTest, ProgressFoldersAndFlags) {
  CompileAllOptions o;
  o.folders = {starter_};
  o.progress = true;
  Outcome r = run(o, run_compile_all);
  EXPECT_EQ(r.status, exit_code::clean);
  EXPECT_NE(r.err.find("compile --all: 1 of 1 done"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.back(), '\r') << "the progress line is cleared at the end";

  o.progress = false;
  o.folders = {starter_, join_path(root_.str(), "nowhere")};
  r = run(o, run_compile_all);
  EXPECT_EQ(r.status, exit_code::io_failure);
  EXPECT_NE(r.err.find("no such folder: " + join_path(root_.str(), "nowhere")), std::string::npos);
  EXPECT_NE(r.out.find("Prova_7"), std::string::npos) << "the folders that are there still compile";

  o.folders = {singles_.str()};
  r = run(o, run_compile_all);
  EXPECT_EQ(r.status, exit_code::io_failure);
  EXPECT_NE(r.err.find("no ROUTE_linea.txt and ROUTE_TRAIN-.txt pair found"), std::string::npos);

  o.folders = {starter_};
  o.each.warning_flags = {"no-such-warning"};
  r = run(o, run_compile_all);
  EXPECT_EQ(r.status, exit_code::usage);
  EXPECT_TRUE(r.out.empty());
}

}  // namespace
}  // namespace scenario::tool
