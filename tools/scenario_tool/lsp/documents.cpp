#include "scenario_tool/lsp/documents.h"

#include "scenario_tool/lsp/uri.h"

namespace scenario::tool::lsp {

void DocumentStore::open(const std::string& uri, std::string text, int version) {
  documents_[uri] = OpenDocument{uri, path_of_uri(uri), std::move(text), version};
}

bool DocumentStore::replace(const std::string& uri, std::string text, int version) {
  const auto it = documents_.find(uri);
  if (it == documents_.end()) return false;
  it->second.text = std::move(text);
  it->second.version = version;
  return true;
}

void DocumentStore::close(const std::string& uri) { documents_.erase(uri); }

const OpenDocument* DocumentStore::find(const std::string& uri) const {
  const auto it = documents_.find(uri);
  return it == documents_.end() ? nullptr : &it->second;
}

const OpenDocument* DocumentStore::find_path(const std::string& path) const {
  for (const auto& [uri, doc] : documents_) {
    if (doc.path == path) return &doc;
  }
  return nullptr;
}

std::vector<std::string> DocumentStore::names_in(const std::string& folder) const {
  std::vector<std::string> names;
  for (const auto& [uri, doc] : documents_) {
    if (doc.path && folder_of(*doc.path) == folder) names.push_back(name_of(*doc.path));
  }
  return names;
}

std::string folder_of(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  if (slash == std::string::npos) return ".";
  return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

std::string name_of(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace scenario::tool::lsp
