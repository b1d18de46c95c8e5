// The publication of diagnostics: the compile's at once, the engineering checks' after, on the
// checks' own thread when the session has one.
#include "scenario_tool/lsp/server.h"

namespace scenario::tool::lsp {

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

}  // namespace scenario::tool::lsp
