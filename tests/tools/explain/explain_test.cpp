// `explain`: every code has its causes, its fix and an example that raises it in the example
// scenario; every record keyword and warning is explained; anything else is a usage error.
#include <gtest/gtest.h>

#include <sstream>

#include "compiler/compile_sources.h"
#include "platform/memory_file_system.h"
#include "scenario_tool/explain/code_explanations.h"
#include "scenario_tool/explain/example_scenario.h"
#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {
namespace {

Code compile_example(const CodeExample& example) {
  const ExampleSources s = example_sources(example);
  ScenarioSources sources{{}, SourceText::of(s.train)};
  if (s.line) sources.line = SourceText::of(*s.line);
  return compile_sources({{"R", "1"}, std::move(sources), {}}).code.code;
}

struct Explained {
  int status;
  std::string out;
  std::string err;
};

Explained explain(ExplainOptions o) {
  MemoryFileSystem fs;
  std::ostringstream out;
  std::ostringstream err;
  const int status = run_explain(o, fs, out, err);
  return {status, out.str(), err.str()};
}

TEST(ExplainTest, EveryCodeIsExplainedAndItsExampleRaisesIt) {
  ASSERT_EQ(code_explanations().size(), all_codes().size());
  EXPECT_EQ(compile_example({}), Code::none);
  for (const CodeInfo& info : all_codes()) {
    SCOPED_TRACE(to_string(info.code));
    const CodeExplanation* e = find_code_explanation(info.code);
    ASSERT_NE(e, nullptr);
    EXPECT_FALSE(e->causes.empty());
    EXPECT_FALSE(e->fix.empty());
    EXPECT_EQ(compile_example(e->example), info.code);
    const Explained x = explain({.topic = to_string(info.code)});
    EXPECT_EQ(x.status, exit_code::clean);
    EXPECT_EQ(x.out.rfind("error " + to_string(info.code) + ": ", 0), 0u) << x.out;
    EXPECT_NE(x.out.find("Example:"), std::string::npos);
  }
}

TEST(ExplainTest, KeywordsWarningsListsAndWhatIsNone) {
  const Explained signal = explain({.topic = "segnale"});
  EXPECT_EQ(signal.status, exit_code::clean);
  EXPECT_NE(signal.out.find("12 fields"), std::string::npos);
  EXPECT_NE(signal.out.find("  12  tempo: "), std::string::npos) << signal.out;
  // A keyword as an author writes it finds its kind; a warning id finds the warning.
  EXPECT_NE(explain({.topic = "curvad4"}).out.find("\"curva\""), std::string::npos);
  EXPECT_NE(explain({.topic = "Stazione"}).out.find("18 fields"), std::string::npos);
  EXPECT_EQ(explain({.topic = "rounded"}).out.rfind("warning rounded: ", 0), 0u);
  const Explained all = explain({});
  EXPECT_NE(all.out.find("1250"), std::string::npos);
  EXPECT_NE(all.out.find("rallentamento"), std::string::npos);
  EXPECT_NE(all.out.find("slowdown-no-end"), std::string::npos);
  const Explained warnings = explain({.warnings = true});
  EXPECT_EQ(warnings.out.find("rallentamento "), std::string::npos);
  for (const std::string topic : {"999", "nothing", "-1"}) {
    const Explained x = explain({.topic = topic});
    EXPECT_EQ(x.status, exit_code::usage) << topic;
    EXPECT_TRUE(x.out.empty()) << topic;
    EXPECT_FALSE(x.err.empty()) << topic;
  }
}

}  // namespace
}  // namespace scenario::tool
