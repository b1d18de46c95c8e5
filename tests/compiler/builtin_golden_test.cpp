// The built-in scenario's three compiled files, pinned: compiled from the built-in sources in
// memory, each file must have its size and its 64-bit FNV-1a digest, and the track and table files
// must be the bytes the decode fuzzer's seeds hold (seed_track_builtin, seed_table_builtin:
// one selector byte, then the file).
//
// To refresh after a deliberate change of the compiled bytes: regenerate the seeds
// (`build/dev/fuzz/make_seeds write fuzz/corpus`), run this test, and copy the sizes and the
// actual digests it reports into kPinned.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "compiler/compile_sources.h"
#include "run/builtin_scenario.h"
#include "sources/contenuti.h"
#include "support/test_support.h"

namespace scenario {
namespace {

std::uint64_t fnv1a64(std::string_view bytes) {
  std::uint64_t h = 0xcbf29ce484222325u;
  for (const char c : bytes) {
    h ^= static_cast<unsigned char>(c);
    h *= 0x100000001b3u;
  }
  return h;
}

struct Pinned {
  const char* file;
  std::size_t size;
  std::uint64_t digest;
};

const Pinned kPinned[] = {
    {"line", 1779964, 0xd320faf218d1ce57u},
    {"table", 3193, 0x46ab149945ac2b41u},
    {"track", 26715, 0x074fd428bc7994c1u},
};

std::string decode_seed(const std::string& name) {
  const auto path = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() /
                    "fuzz" / "corpus" / "decode" / name;
  EXPECT_TRUE(std::filesystem::exists(path)) << path;
  const std::string bytes = testing::read_file(path);
  return bytes.empty() ? bytes : bytes.substr(1);
}

TEST(BuiltinGoldenTest, TheBuiltInSourcesCompileToThePinnedFiles) {
  const CompileResult result = compile_sources({{builtin_route_id, builtin_train_number},
                                                {SourceText::of(render_lines(contenuto_linea())),
                                                 SourceText::of(render_lines(contenuto_treno()))},
                                                {}});
  ASSERT_EQ(result.code.code, Code::none);
  const CompiledFileBytes files = result.file_bytes();
  ASSERT_TRUE(files.line.has_value());
  const std::string* bytes[] = {&*files.line, &files.table, &files.track};
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(kPinned[i].file);
    EXPECT_EQ(bytes[i]->size(), kPinned[i].size);
    EXPECT_EQ(fnv1a64(*bytes[i]), kPinned[i].digest)
        << std::hex << "actual 0x" << fnv1a64(*bytes[i]);
  }
  EXPECT_TRUE(files.track == decode_seed("seed_track_builtin"));
  EXPECT_TRUE(files.table == decode_seed("seed_table_builtin"));
}

}  // namespace
}  // namespace scenario
