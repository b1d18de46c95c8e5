// docs/source-format.md against the code: every record kind is there with the field table the
// compiler's own tables give, every code and warning has its row, and every example compiles, in
// the example scenario, to the lines of `inspect --cells` that the page shows under it.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "platform/memory_file_system.h"
#include "scenario_tool/explain/example_scenario.h"
#include "scenario_tool/explain/reference.h"
#include "scenario_tool/verbs/verbs.h"
#include "support/test_support.h"

namespace scenario::tool {
namespace {

std::string the_page() {
  const auto path =
      std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path() /
      "docs" / "source-format.md";
  return testing::read_file(path);
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

struct PageExample {
  CodeExample records;
  std::vector<std::string> expected;
};

// The blocks fenced as ```example: "general: ", "line: " and "train: " records, "=>", then the
// lines `inspect --cells` must print.
std::vector<PageExample> examples_of(const std::string& page) {
  std::vector<PageExample> out;
  const auto lines = lines_of(page);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] != "```example") continue;
    PageExample e;
    bool after_arrow = false;
    for (++i; i < lines.size() && lines[i] != "```"; ++i) {
      const std::string& l = lines[i];
      if (l == "=>") {
        after_arrow = true;
      } else if (after_arrow) {
        e.expected.push_back(l);
      } else if (l.starts_with("general: ")) {
        e.records.general.push_back(l.substr(9));
      } else if (l.starts_with("line: ")) {
        e.records.line.push_back(l.substr(6));
      } else if (l.starts_with("train: ")) {
        e.records.train.push_back(l.substr(7));
      } else {
        ADD_FAILURE() << "an example line of no source: " << l;
      }
    }
    out.push_back(std::move(e));
  }
  return out;
}

// The text of `inspect --cells` on the example compiled.
std::string inspected(const CodeExample& records, std::string& diagnostics) {
  const ExampleSources s = example_sources(records);
  MemoryFileSystem fs;
  fs.put("/s/R_linea.txt", *s.line);
  fs.put("/s/R_1-.txt", s.train);
  CompileOptions o;
  o.line_source = "/s/R_linea.txt";
  o.train_source = "/s/R_1-.txt";
  o.out_dir = "/o";
  std::ostringstream out;
  std::ostringstream err;
  run_compile(o, fs, out, err);
  diagnostics = err.str();
  std::ostringstream report;
  run_inspect(InspectOptions{{"/o"}, true, false}, fs, report, err);
  return report.str();
}

TEST(SourceFormatPageTest, EveryRecordKindHasItsTableFromTheCode) {
  const std::string page = the_page();
  for (const RecordKind& kind : record_kinds()) {
    SCOPED_TRACE(std::string(kind.name));
    EXPECT_NE(page.find("#### `" + std::string(kind.name) + "`\n"), std::string::npos);
    EXPECT_NE(page.find(record_markdown(kind)), std::string::npos)
        << "the page's table differs from the code's; it should read:\n"
        << record_markdown(kind);
  }
  for (const CodeInfo& info : all_codes()) {
    EXPECT_NE(page.find("| " + to_string(info.code) + " | " + std::string(info.meaning) + " |"),
              std::string::npos)
        << to_string(info.code);
  }
  for (const WarningInfo& w : all_warnings()) {
    EXPECT_NE(page.find("| `" + std::string(w.id) + "` | "), std::string::npos) << w.id;
  }
}

TEST(SourceFormatPageTest, EveryExampleCompilesToWhatThePageSays) {
  const auto examples = examples_of(the_page());
  EXPECT_GE(examples.size(), 15u);
  for (const PageExample& e : examples) {
    std::string diagnostics;
    const auto report = lines_of(inspected(e.records, diagnostics));
    EXPECT_EQ(diagnostics, "");
    ASSERT_FALSE(e.expected.empty());
    for (const std::string& expected : e.expected) {
      EXPECT_NE(std::find(report.begin(), report.end(), expected), report.end())
          << "not in the report: \"" << expected << "\"";
    }
  }
}

}  // namespace
}  // namespace scenario::tool
