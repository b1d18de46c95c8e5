// The session: JSON-RPC requests and notifications routed to their handlers, the protocol's
// lifecycle (initialize, initialized, shutdown, exit) and its errors. Nothing a client sends ends
// the server but exit or the end of its input; it never writes a file.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <istream>
#include <map>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <thread>

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

struct ServerSettings {
  bool check = true;  // the engineering checks of compile --check
  // The checks run on a thread of their own, so that the compile's diagnostics of the next change
  // need not wait for them; without it they run before the next message is read (tests).
  bool background = false;
  std::string version;
};

// After a change the compile's diagnostics are published at once, with the findings of the last
// complete check kept beside them; the check's own publication follows, unless a newer change
// came first.
class Server {
 public:
  Server(FileSystem& disk, Analyser analyse, std::ostream& out, ServerSettings settings);
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

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
  void check_later(const std::string& uri);
  void run_checks(const std::string& uri, const DocumentStore& documents, std::uint64_t generation);
  void worker_loop();
  void send(const Json& message);
  void clear(const std::string& uri);
  Json hover(const Json& params) const;
  Json completion(const Json& params) const;
  Json symbols(const Json& params) const;
  void reply(const Json& id, Json result);
  void reply_error(const Json& id, int code, const std::string& message);

  FileSystem& disk_;
  Analyser analyse_;
  std::ostream& out_;
  ServerSettings settings_;
  DocumentStore documents_;
  Columns columns_ = Columns::utf16;
  bool initialized_ = false;
  bool shutdown_ = false;
  bool finished_ = false;

  struct CheckJob {
    std::string uri;
    DocumentStore documents;  // the texts as they were: the session goes on changing its own
    std::uint64_t generation = 0;
  };
  // Guards the output, the findings kept, the job and the generation between the session and
  // the checks' thread.
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<CheckJob> job_;
  bool stopping_ = false;
  std::uint64_t generation_ = 0;  // counts the changes: a check of an older text is not published
  std::map<std::string, Json> last_findings_;
  std::thread worker_;
};

// Serves the client on `in` and `out` until exit or the end of the input; the exit status.
int serve(std::istream& in, std::ostream& out, FileSystem& disk, const Analyser& analyse,
          const ServerSettings& settings);

}  // namespace scenario::tool::lsp
