// The round trip's own check: the compile of the sources streamed against the given files. It
// must find every difference the whole files show, and name it as the comparison of the whole
// files names it, wherever it lies and whether the given file is longer or shorter.
#include "scenario_tool/decompile/round_trip.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/compile_sources.h"
#include "run/builtin_scenario.h"
#include "scenario_tool/decompile/first_difference.h"
#include "sources/contenuti.h"

namespace scenario::tool {
namespace {

const ScenarioNames kNames{"", builtin_route_id, builtin_train_number};

struct Builtin {
  std::string line_source = render_lines(contenuto_linea());
  std::string train_source = render_lines(contenuto_treno());
  CompiledBytes files;
};

Builtin builtin() {
  Builtin b;
  CompiledFileBytes bytes =
      compile_sources({{kNames.route_id, kNames.train_number},
                       {SourceText::of(b.line_source), SourceText::of(b.train_source)},
                       {}})
          .file_bytes();
  b.files = {std::move(bytes.track), std::move(bytes.table), std::move(bytes.line)};
  return b;
}

// One byte changed, one cut off, one added: at the start, in the middle and at the end of each
// file.
std::vector<std::string> damaged(const std::string& bytes) {
  std::vector<std::string> out;
  for (const std::size_t at : {std::size_t{0}, bytes.size() / 2, bytes.size() - 1}) {
    std::string changed = bytes;
    changed[at] = static_cast<char>(changed[at] ^ 0x01);
    out.push_back(changed);
  }
  out.push_back(bytes.substr(0, bytes.size() - 1));
  out.push_back(bytes + '\0');
  return out;
}

TEST(RoundTripTest, TheStreamedCheckFindsAndNamesWhatTheWholeFilesShow) {
  const Builtin b = builtin();
  const RoundTrip exact = check_round_trip(b.line_source, b.train_source, kNames, b.files);
  EXPECT_TRUE(exact.exact) << exact.difference;

  // Each file damaged in turn, the other two as compiled: the check names the first difference.
  const auto expect_found = [&](auto file, const std::string& compiled, auto difference) {
    for (const std::string& bytes : damaged(compiled)) {
      CompiledBytes given = b.files;
      given.*file = bytes;
      const RoundTrip r = check_round_trip(b.line_source, b.train_source, kNames, given);
      EXPECT_FALSE(r.exact);
      EXPECT_EQ(r.difference, difference(bytes, compiled));
    }
  };
  expect_found(&CompiledBytes::track, b.files.track, track_difference);
  expect_found(&CompiledBytes::table, b.files.table, table_difference);
  expect_found(&CompiledBytes::line, *b.files.line, line_difference);
}

// Without a line file given, none is built, and the other two still come back.
TEST(RoundTripTest, WithoutALineFileTheTableAndTrackAreChecked) {
  Builtin b = builtin();
  b.files.line.reset();
  EXPECT_TRUE(check_round_trip(b.line_source, b.train_source, kNames, b.files).exact);
  b.files.track[20] = static_cast<char>(b.files.track[20] ^ 0x01);
  EXPECT_FALSE(check_round_trip(b.line_source, b.train_source, kNames, b.files).exact);
}

}  // namespace
}  // namespace scenario::tool
