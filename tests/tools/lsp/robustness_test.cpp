// Whatever a client sends, the server answers and goes on: messages of the right methods with
// parameters of every wrong shape, at random, then a request that must still be answered.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "scenario_tool/explain/starter.h"
#include "scenario_tool/lsp/uri.h"
#include "support/test_support.h"
#include "tools/lsp/session.h"

namespace scenario::tool::lsp {
namespace {

using testing::initialize;
using testing::request;
using testing::serve_messages;

class RandomParams {
 public:
  RandomParams(unsigned seed, std::vector<std::string> uris)
      : random_(seed), uris_(std::move(uris)) {}

  // A value of any type, sometimes the one expected.
  Json value(const Json& expected) {
    switch (pick(7)) {
      case 0:
        return nullptr;
      case 1:
        // Any 32-bit integer, negative ones included, worked out in 64 bits.
        return static_cast<std::int64_t>(random_()) - (std::int64_t{1} << 31);
      case 2:
        return "x\n" + std::string(pick(3), ',');
      case 3:
        return Json::array({expected});
      case 4:
        return Json::object();
      default:
        return expected;
    }
  }

  Json position() {
    return value(Json{{"line", value(static_cast<int>(pick(60)) - 2)},
                      {"character", value(static_cast<int>(pick(90)) - 2)}});
  }

  Json params() {
    const std::string uri = uris_[pick(uris_.size())];
    const std::string text = pick(2) ? starter_line_source("Rt").substr(0, pick(2000))
                                     : std::string("pendnza, 1\r\n[curve]\r\ncurvad9, 1, x");
    Json range{{"start", position()}, {"end", position()}};
    return Json{{"textDocument", value(Json{{"uri", value(uri)},
                                            {"text", value(text)},
                                            {"version", value(static_cast<int>(pick(9)))}})},
                {"position", position()},
                {"contentChanges",
                 value(Json::array({value(Json{{"text", value(text)}, {"range", value(range)}})}))},
                {"range", value(range)},
                {"context", value(Json{{"diagnostics", value(Json::array())}})},
                {"text", value(text)}};
  }

  std::size_t pick(std::size_t n) { return static_cast<std::size_t>(random_() % n); }

 private:
  std::mt19937 random_;
  std::vector<std::string> uris_;
};

TEST(LspProtocol, RandomParamsNeverStopTheServer) {
  scenario::testing::TempDir dir;
  scenario::testing::write_file(dir.file("Rt_linea.txt"), starter_line_source("Rt"));
  scenario::testing::write_file(dir.file("Rt_123-.txt"), starter_train_source("Rt", "123"));
  const std::vector<std::string> uris = {uri_of_path(dir.file("Rt_linea.txt")),
                                         uri_of_path(dir.file("Rt_123-.txt")),
                                         uri_of_path(dir.file("other.txt")),
                                         "untitled:1",
                                         "file://host/x",
                                         "file:///nowhere/A_linea.txt"};
  const char* methods[] = {"textDocument/didOpen",        "textDocument/didChange",
                           "textDocument/didSave",        "textDocument/didClose",
                           "textDocument/hover",          "textDocument/completion",
                           "textDocument/documentSymbol", "textDocument/codeAction"};
  constexpr std::size_t kFirstRequest = 4;
  int published = 0;  // the random messages reach the compile, not only the checks of shape
  for (unsigned seed = 1; seed <= 60; ++seed) {
    RandomParams random(seed, uris);
    std::vector<Json> messages = {initialize()};
    for (int i = 0; i < 12; ++i) {
      const std::size_t method = random.pick(std::size(methods));
      Json m{{"jsonrpc", "2.0"}, {"method", methods[method]}, {"params", random.params()}};
      if (method >= kFirstRequest) m["id"] = 10 + i;  // the first four are notifications
      messages.push_back(std::move(m));
    }
    messages.push_back(request(999, "shutdown"));
    const auto served = serve_messages(messages);
    EXPECT_TRUE(served.answer(999).contains("result")) << "seed " << seed;
    for (const Json& m : served.messages) {
      published += m.value("method", "") == "textDocument/publishDiagnostics" ? 1 : 0;
    }
    for (int i = 0; i < 12; ++i) {
      const Json answer = served.answer(10 + i);
      if (answer.is_null()) continue;
      EXPECT_TRUE(answer.contains("result") || answer["error"]["code"] == kInvalidParams)
          << "seed " << seed << ": " << answer.dump();
    }
  }
  EXPECT_GT(published, 20);
}

}  // namespace
}  // namespace scenario::tool::lsp
