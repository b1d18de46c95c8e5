#include "scenario_tool/lsp/server.h"

#include "scenario_tool/lsp/code_actions.h"
#include "scenario_tool/lsp/params.h"
#include "scenario_tool/lsp/text_edits.h"

namespace scenario::tool::lsp {

namespace {

bool offers_utf8(const Json& params) {
  const Json encodings =
      params.value("/capabilities/general/positionEncodings"_json_pointer, Json::array());
  if (!encodings.is_array()) return false;
  for (const Json& e : encodings) {
    if (e == "utf-8") return true;
  }
  return false;
}

}  // namespace

Server::Server(FileSystem& disk, Analyser analyse, std::ostream& out, ServerSettings settings)
    : disk_(disk), analyse_(std::move(analyse)), out_(out), settings_(std::move(settings)) {
  if (settings_.check && settings_.background) worker_ = std::thread([this] { worker_loop(); });
}

Server::~Server() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void Server::handle(const Frame& frame) {
  if (frame.kind == Frame::Kind::end) {
    // A client that goes away ends the session as cleanly as a shutdown.
    finished_ = true;
    shutdown_ = true;
    return;
  }
  if (frame.kind == Frame::Kind::malformed) {
    reply_error(nullptr, kParseError, "malformed header: " + frame.problem);
    return;
  }
  Json message;
  try {
    message = Json::parse(frame.body);
  } catch (const Json::exception& e) {
    reply_error(nullptr, kParseError, std::string("the body is no JSON: ") + e.what());
    return;
  }
  handle_message(message);
}

void Server::handle_message(const Json& message) {
  const Json id = message.is_object() ? message.value("id", Json()) : Json();
  const bool id_usable = id.is_null() || id.is_string() || id.is_number_integer();
  if (!message.is_object() || !message.contains("method") || !message["method"].is_string() ||
      !id_usable) {
    // A response to a request of ours (we send none) is passed over; the rest is no request.
    if (message.is_object() && !message.contains("method") &&
        (message.contains("result") || message.contains("error"))) {
      return;
    }
    reply_error(id_usable ? id : Json(), kInvalidRequest, "not a JSON-RPC request");
    return;
  }
  const std::string method = message["method"].get<std::string>();
  const Json params = message.value("params", Json::object());
  if (message.contains("id")) {
    handle_request(id, method, params);
  } else {
    handle_notification(method, params);
  }
}

void Server::handle_request(const Json& id, const std::string& method, const Json& params) {
  if (!initialized_ && method != "initialize") {
    reply_error(id, kServerNotInitialized, "the server is not initialized");
    return;
  }
  if (shutdown_) {
    reply_error(id, kInvalidRequest, "the server is shut down");
    return;
  }
  try {
    if (method == "initialize") {
      if (initialized_) {
        reply_error(id, kInvalidRequest, "initialize was already sent");
        return;
      }
      reply(id, initialize(params));
    } else if (method == "shutdown") {
      shutdown_ = true;
      reply(id, nullptr);
    } else if (method == "textDocument/hover") {
      reply(id, hover(params));
    } else if (method == "textDocument/completion") {
      reply(id, completion(params));
    } else if (method == "textDocument/documentSymbol") {
      reply(id, symbols(params));
    } else if (method == "textDocument/codeAction") {
      reply(id, quick_fixes(
                    document_uri(params),
                    params.value("context", Json::object()).value("diagnostics", Json::array())));
    } else {
      reply_error(id, kMethodNotFound, "no method " + method);
    }
  } catch (const BadParams& e) {
    reply_error(id, kInvalidParams, e.what());
  } catch (const Json::exception& e) {
    reply_error(id, kInvalidParams, e.what());
  } catch (const std::exception& e) {
    reply_error(id, kInternalError, e.what());
  }
}

void Server::handle_notification(const std::string& method, const Json& params) {
  if (method == "exit") {
    finished_ = true;
    return;
  }
  // Before initialize, notifications are dropped; after shutdown only exit counts.
  if (!initialized_ || shutdown_) return;
  try {
    if (method == "textDocument/didOpen") {
      const Json& doc = member(params, "textDocument");
      const std::string uri = string_member(doc, "uri");
      documents_.open(uri, string_member(doc, "text"), doc.value("version", 0));
      publish(uri);
    } else if (method == "textDocument/didChange") {
      const std::string uri = document_uri(params);
      const OpenDocument* doc = documents_.find(uri);
      if (doc == nullptr) return;
      const std::string text = with_changes(doc->text, member(params, "contentChanges"), columns_);
      documents_.replace(uri, text, member(params, "textDocument").value("version", 0));
      publish(uri);
    } else if (method == "textDocument/didSave") {
      const std::string uri = document_uri(params);
      const OpenDocument* doc = documents_.find(uri);
      if (doc != nullptr && params.contains("text") && params["text"].is_string()) {
        documents_.replace(uri, params["text"].get<std::string>(), doc->version);
      }
      publish(uri);
    } else if (method == "textDocument/didClose") {
      const std::string uri = document_uri(params);
      documents_.close(uri);
      clear(uri);
    }
  } catch (const std::exception&) {
    // A notification has no answer: a wrong one is passed over.
  }
}

Json Server::initialize(const Json& params) {
  initialized_ = true;
  columns_ = offers_utf8(params) ? Columns::utf8 : Columns::utf16;
  return Json{{"capabilities",
               {{"positionEncoding", columns_ == Columns::utf8 ? "utf-8" : "utf-16"},
                {"textDocumentSync",
                 {{"openClose", true}, {"change", 2}, {"save", {{"includeText", true}}}}},
                {"hoverProvider", true},
                {"completionProvider", {{"resolveProvider", false}}},
                {"documentSymbolProvider", true},
                {"codeActionProvider", {{"codeActionKinds", {"quickfix"}}}}}},
              {"serverInfo", settings_.version.empty() ? Json{{"name", "scenario_tool"}}
                                                       : Json{{"name", "scenario_tool"},
                                                              {"version", settings_.version}}}};
}

void Server::reply(const Json& id, Json result) {
  send(Json{{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}});
}

void Server::reply_error(const Json& id, int code, const std::string& message) {
  send(Json{{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}});
}

int serve(std::istream& in, std::ostream& out, FileSystem& disk, const Analyser& analyse,
          const ServerSettings& settings) {
  Server server(disk, analyse, out, settings);
  while (!server.finished()) server.handle(read_frame(in));
  return server.exit_status();
}

}  // namespace scenario::tool::lsp
