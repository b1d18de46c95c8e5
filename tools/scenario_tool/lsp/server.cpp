#include "scenario_tool/lsp/server.h"

#include <algorithm>

#include "scenario_tool/lsp/code_actions.h"
#include "scenario_tool/lsp/completion.h"
#include "scenario_tool/lsp/hover.h"
#include "scenario_tool/lsp/source_pair.h"
#include "scenario_tool/lsp/symbols.h"
#include "scenario_tool/lsp/text_edits.h"

namespace scenario::tool::lsp {

namespace {

// A request's params that are wrong for its method.
struct BadParams : std::runtime_error {
  using std::runtime_error::runtime_error;
};

const Json& member(const Json& object, const char* name) {
  if (!object.is_object() || !object.contains(name)) {
    throw BadParams(std::string("missing \"") + name + "\"");
  }
  return object.at(name);
}

std::string string_member(const Json& object, const char* name) {
  const Json& value = member(object, name);
  if (!value.is_string()) throw BadParams(std::string("\"") + name + "\" is not a string");
  return value.get<std::string>();
}

int int_member(const Json& object, const char* name) {
  const Json& value = member(object, name);
  if (!value.is_number_integer()) throw BadParams(std::string("\"") + name + "\" is not a number");
  return value.get<int>();
}

std::string document_uri(const Json& params) {
  return string_member(member(params, "textDocument"), "uri");
}

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

namespace {

Json publication_message(const Publication& p, const Json& findings, const DocumentStore& docs) {
  Json diagnostics = p.diagnostics;
  for (const Json& f : findings) diagnostics.push_back(f);
  Json params{{"uri", p.uri}, {"diagnostics", std::move(diagnostics)}};
  if (const OpenDocument* doc = docs.find(p.uri)) params["version"] = doc->version;
  return Json{
      {"jsonrpc", "2.0"}, {"method", "textDocument/publishDiagnostics"}, {"params", params}};
}

}  // namespace

void Server::publish(const std::string& uri) {
  const Workspace ws{documents_, disk_, analyse_, columns_, false};
  const std::vector<Publication> found = diagnose(uri, ws);
  {
    const std::lock_guard lock(mutex_);
    ++generation_;
    for (const Publication& p : found) {
      const auto kept = last_findings_.find(p.uri);
      const Json none = Json::array();
      const Json& findings = settings_.check && kept != last_findings_.end() ? kept->second : none;
      out_ << framed(publication_message(p, findings, documents_));
    }
    out_.flush();
  }
  if (settings_.check) check_later(uri);
}

void Server::check_later(const std::string& uri) {
  std::uint64_t generation = 0;
  {
    const std::lock_guard lock(mutex_);
    generation = generation_;
    if (settings_.background) {
      job_ = CheckJob{uri, documents_, generation};
      wake_.notify_all();
      return;
    }
  }
  run_checks(uri, documents_, generation);
}

void Server::run_checks(const std::string& uri, const DocumentStore& documents,
                        std::uint64_t generation) {
  const Workspace ws{documents, disk_, analyse_, columns_, true};
  const std::vector<Publication> found = diagnose(uri, ws);
  const std::lock_guard lock(mutex_);
  // A newer text has its own check coming; after exit nothing more is said.
  if (generation != generation_ || stopping_) return;
  for (const Publication& p : found) {
    last_findings_[p.uri] = p.findings;
    out_ << framed(publication_message(p, p.findings, documents));
  }
  out_.flush();
}

void Server::worker_loop() {
  while (true) {
    CheckJob job;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || job_.has_value(); });
      if (stopping_) return;
      job = std::move(*job_);
      job_.reset();
    }
    try {
      run_checks(job.uri, job.documents, job.generation);
    } catch (const std::exception&) {
      // A check that fails publishes nothing; the compile's diagnostics stand.
    }
  }
}

void Server::send(const Json& message) {
  const std::lock_guard lock(mutex_);
  write_frame(out_, message);
}

// A closed document's diagnostics go with it.
void Server::clear(const std::string& uri) {
  {
    const std::lock_guard lock(mutex_);
    ++generation_;
    last_findings_.erase(uri);
  }
  send(Json{{"jsonrpc", "2.0"},
            {"method", "textDocument/publishDiagnostics"},
            {"params", {{"uri", uri}, {"diagnostics", Json::array()}}}});
}

namespace {

struct Place {
  const OpenDocument* doc = nullptr;
  SourceKind source = SourceKind::none;
  int line = 0;
  std::string_view text;  // the line
  std::size_t offset = 0;
};

Place place_of(const DocumentStore& documents, const Json& params, Columns columns) {
  Place p;
  const Json& position = member(params, "position");
  p.line = int_member(position, "line");
  const int character = int_member(position, "character");
  p.doc = documents.find(document_uri(params));
  if (p.doc == nullptr || !p.doc->path) return p;
  p.source = source_kind_of(name_of(*p.doc->path));
  p.text = line_of(p.doc->text, p.line);
  p.offset = offset_of(p.text, character, columns);
  return p;
}

}  // namespace

Json Server::hover(const Json& params) const {
  const Place p = place_of(documents_, params, columns_);
  if (p.source == SourceKind::none) return nullptr;
  const auto h = hover_text(p.source, p.text, p.offset);
  if (!h) return nullptr;
  return Json{{"contents", {{"kind", "markdown"}, {"value", h->markdown}}},
              {"range",
               {{"start", {{"line", p.line}, {"character", column_of(p.text, h->begin, columns_)}}},
                {"end", {{"line", p.line}, {"character", column_of(p.text, h->end, columns_)}}}}}};
}

Json Server::completion(const Json& params) const {
  const Place p = place_of(documents_, params, columns_);
  Json items = Json::array();
  if (p.source == SourceKind::none) return items;
  std::size_t typed_begin = 0;
  int rank = 0;
  for (const KeywordCompletion& c : keyword_completions(p.source, p.text, p.offset, typed_begin)) {
    const Json range{
        {"start", {{"line", p.line}, {"character", column_of(p.text, typed_begin, columns_)}}},
        {"end", {{"line", p.line}, {"character", column_of(p.text, p.offset, columns_)}}}};
    std::string order = std::to_string(rank++);
    order.insert(0, 4 - std::min<std::size_t>(order.size(), 4), '0');
    items.push_back(Json{
        {"label", c.label},
        {"kind", 14},  // Keyword
        {"detail", c.detail},
        {"documentation", {{"kind", "markdown"}, {"value", "```text\n" + c.documentation + "```"}}},
        {"sortText", order},
        {"filterText", c.label},
        {"insertTextFormat", 2},
        {"textEdit", {{"range", range}, {"newText", c.snippet}}}});
  }
  return items;
}

Json Server::symbols(const Json& params) const {
  const OpenDocument* doc = documents_.find(document_uri(params));
  if (doc == nullptr || !doc->path) return Json::array();
  const SourceKind source = source_kind_of(name_of(*doc->path));
  if (source == SourceKind::none) return Json::array();
  return document_symbols(source, doc->text, columns_);
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
