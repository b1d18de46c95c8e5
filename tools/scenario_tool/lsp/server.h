// The session: JSON-RPC requests and notifications routed to their handlers, the protocol's
// lifecycle (initialize, initialized, shutdown, exit) and its errors. Nothing a client sends ends
// the server but exit or the end of its input; it never writes a file.
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "platform/file_system.h"
#include "scenario_tool/lsp/diagnostics.h"
#include "scenario_tool/lsp/documents.h"
#include "scenario_tool/lsp/framing.h"

namespace scenario::tool::lsp {

// The protocol's error codes.
enum ErrorCode {
  kParseError = -32700,
  kInvalidRequest = -32600,
  kMethodNotFound = -32601,
  kInvalidParams = -32602,
  kInternalError = -32603,
  kServerNotInitialized = -32002,
};

class Server {
 public:
  Server(FileSystem& disk, Analyser analyse, std::ostream& out, std::string version);

  // Handles one frame; afterwards finished() tells whether the session is over.
  void handle(const Frame& frame);
  bool finished() const { return finished_; }
  // 0 after shutdown then exit, or at the end of the input; 1 for an exit without shutdown.
  int exit_status() const { return shutdown_ ? 0 : 1; }

 private:
  void handle_message(const Json& message);
  void handle_request(const Json& id, const std::string& method, const Json& params);
  void handle_notification(const std::string& method, const Json& params);
  Json initialize(const Json& params);
  void publish(const std::string& uri);
  void clear(const std::string& uri);
  Json hover(const Json& params) const;
  Json completion(const Json& params) const;
  Json symbols(const Json& params) const;
  void reply(const Json& id, Json result);
  void reply_error(const Json& id, int code, const std::string& message);

  FileSystem& disk_;
  Analyser analyse_;
  std::ostream& out_;
  std::string version_;
  DocumentStore documents_;
  Columns columns_ = Columns::utf16;
  bool initialized_ = false;
  bool shutdown_ = false;
  bool finished_ = false;
};

// Serves the client on `in` and `out` until exit or the end of the input; the exit status.
int serve(std::istream& in, std::ostream& out, FileSystem& disk, const Analyser& analyse,
          const std::string& version);

}  // namespace scenario::tool::lsp
