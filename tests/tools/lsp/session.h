// A language-server session in the test's own process: messages framed into a string, served,
// and the frames the server wrote read back.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "scenario_tool/lsp/framing.h"
#include "scenario_tool/lsp/server.h"
#include "scenario_tool/verbs/lsp.h"

namespace scenario::tool::lsp::testing {

inline Json request(int id, const std::string& method, Json params = Json::object()) {
  return Json{{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", std::move(params)}};
}

inline Json notification(const std::string& method, Json params = Json::object()) {
  return Json{{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}};
}

inline Json initialize(int id = 1) { return request(id, "initialize", {{"capabilities", {}}}); }

struct Served {
  std::vector<Json> messages;
  int status = 0;

  // The answer to request `id`, or null.
  Json answer(int id) const {
    for (const Json& m : messages) {
      if (m.contains("id") && m["id"] == id) return m;
    }
    return nullptr;
  }
  // The diagnostics last published for `uri`; null when none were.
  Json last_diagnostics(const std::string& uri) const {
    Json found;
    for (const Json& m : messages) {
      if (m.value("method", "") == "textDocument/publishDiagnostics" && m["params"]["uri"] == uri) {
        found = m["params"]["diagnostics"];
      }
    }
    return found;
  }
};

// Serves the raw bytes, the checks run in line so that the order of the output is fixed.
inline Served serve_bytes(const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out;
  RealFileSystem disk;
  Served served;
  served.status =
      serve(in, out, disk, compile_analysis, {.check = true, .background = false, .version = {}});
  std::istringstream written(out.str());
  for (Frame f = read_frame(written); f.kind == Frame::Kind::message; f = read_frame(written)) {
    served.messages.push_back(Json::parse(f.body));
  }
  return served;
}

inline Served serve_messages(const std::vector<Json>& messages) {
  std::string input;
  for (const Json& m : messages) input += framed(m);
  return serve_bytes(input);
}

}  // namespace scenario::tool::lsp::testing
