// The steps read straight from a line file's bytes against those read from its decoded geometry,
// on compiled lines and on damaged copies of them: the same steps, or the same error.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/compile_sources.h"
#include "format/decode.h"
#include "format/line_steps.h"
#include "run/builtin_scenario.h"
#include "sources/contenuti.h"
#include "synthetic_scenario.h"

namespace scenario::tool {
namespace {

std::string compiled_line(const std::string& line_source, const std::string& train_source,
                          const std::string& route, const std::string& train) {
  return compile_sources(
             {{route, train}, {SourceText::of(line_source), SourceText::of(train_source)}, {}})
      .file_bytes()
      .line.value();
}

void expect_same_as_decoded(const std::string& bytes, const std::string& what) {
  SCOPED_TRACE(what);
  const Decoded<LineGeometry> geometry = decode_line_file(bytes);
  const Decoded<LineSteps> steps = read_line_steps_from_file(bytes);
  ASSERT_EQ(steps.ok(), geometry.ok());
  if (geometry.ok()) {
    EXPECT_EQ(steps.value(), read_line_steps(geometry.value()));
  } else {
    EXPECT_EQ(steps.error(), geometry.error());
  }
}

TEST(LineStepsFromFile, SameStepsOrSameErrorAsTheDecodedGeometry) {
  const synthetic::Scenario s = synthetic::make_scenario(synthetic::shortest_route + 7350, 3);
  const std::vector<std::pair<std::string, std::string>> lines{
      {"built-in", compiled_line(render_lines(contenuto_linea()), render_lines(contenuto_treno()),
                                 builtin_route_id, builtin_train_number)},
      {"synthetic", compiled_line(s.line_source, s.train_source, "Sintetico", "1")}};
  for (const auto& [name, bytes] : lines) {
    const Decoded<LineSteps> steps = read_line_steps_from_file(bytes);
    ASSERT_TRUE(steps.ok()) << name;
    EXPECT_FALSE(steps.value().broken_row) << name;
    EXPECT_FALSE(steps.value().runs.empty()) << name;
    expect_same_as_decoded(bytes, name);

    // Cut inside a value, cut by one whole value, a bad tag, an empty file.
    expect_same_as_decoded(bytes.substr(0, bytes.size() - 1), name + " cut by a byte");
    expect_same_as_decoded(bytes.substr(0, bytes.size() - 2), name + " cut by an empty value");
    std::string bad_tag = bytes;
    bad_tag[bytes.size() / 3] = '\x07';
    bad_tag[bytes.size() / 3 + 1] = '\x00';
    expect_same_as_decoded(bad_tag, name + " with a bad tag");
    expect_same_as_decoded("", name + " emptied");
    // A flipped bit in a value of the y half: well formed, but broken at that row.
    std::string flipped = bytes;
    flipped[bytes.size() - bytes.size() / 5] ^= 0x01;
    expect_same_as_decoded(flipped, name + " with a flipped bit");
  }
}

}  // namespace
}  // namespace scenario::tool
