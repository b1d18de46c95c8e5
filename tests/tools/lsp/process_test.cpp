// The server as editors run it, a process whose checks run on their own thread: the compile's
// diagnostics come first, the check's findings after them, while the client is still connected.
#include <gtest/gtest.h>

#include <sstream>

#include "scenario_tool/explain/starter.h"
#include "scenario_tool/lsp/uri.h"
#include "support/test_support.h"
#include "tools/lsp/session.h"

namespace scenario::tool::lsp {
namespace {

using scenario::testing::run_command;
using scenario::testing::shell_quote;
using scenario::testing::write_file;
using testing::initialize;
using testing::notification;
using testing::request;

std::string framed_all(const std::vector<Json>& messages) {
  std::string bytes;
  for (const Json& m : messages) bytes += framed(m);
  return bytes;
}

TEST(LspProcess, TheChecksOnTheirThreadPublishAfterTheCompile) {
  scenario::testing::TempDir dir;
  const std::string board = "indicatori_vmax,  2800,  80, 80, 80, 0,  80, 80, 80, 0";
  std::string line = starter_line_source("Rt");
  line.replace(line.find(board), board.size(),
               "indicatori_vmax,  2800,  85, 85, 85, 0,  85, 85, 85, 0");
  write_file(dir.file("Rt_linea.txt"), line);
  write_file(dir.file("Rt_123-.txt"), starter_train_source("Rt", "123"));
  const std::string uri = uri_of_path(dir.file("Rt_linea.txt"));
  write_file(dir.file("first"),
             framed_all({initialize(), notification("initialized"),
                         notification(
                             "textDocument/didOpen",
                             {{"textDocument", {{"uri", uri}, {"version", 1}, {"text", line}}}})}));
  write_file(dir.file("last"), framed_all({request(2, "shutdown"), notification("exit")}));
  // The client waits before it shuts the server down, as an editor stays open.
  const auto r = run_command("(cat " + shell_quote(dir.file("first")) + "; sleep 2; cat " +
                             shell_quote(dir.file("last")) + ") | " +
                             shell_quote(SCENARIO_TOOL_PATH) + " lsp");
  ASSERT_EQ(r.exit_status, 0) << r.err;
  std::istringstream out(r.out);
  std::vector<std::string> published;
  for (Frame f = read_frame(out); f.kind == Frame::Kind::message; f = read_frame(out)) {
    const Json m = Json::parse(f.body);
    if (m.value("method", "") != "textDocument/publishDiagnostics" || m["params"]["uri"] != uri) {
      continue;
    }
    std::string codes;
    for (const Json& d : m["params"]["diagnostics"]) codes += d["code"].get<std::string>() + " ";
    published.push_back(codes);
  }
  EXPECT_EQ(published, (std::vector<std::string>{"", "speed-board "}));
}

}  // namespace
}  // namespace scenario::tool::lsp
