// The documents the client has open: their unsaved text counts over the file on disk.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace scenario::tool::lsp {

struct OpenDocument {
  std::string uri;
  std::optional<std::string> path;  // none for a document that is no file
  std::string text;
  int version = 0;
};

class DocumentStore {
 public:
  void open(const std::string& uri, std::string text, int version);
  // False when the document is not open.
  bool replace(const std::string& uri, std::string text, int version);
  void close(const std::string& uri);

  const OpenDocument* find(const std::string& uri) const;
  const OpenDocument* find_path(const std::string& path) const;
  // The file names of the open documents in `folder`.
  std::vector<std::string> names_in(const std::string& folder) const;

 private:
  std::map<std::string, OpenDocument> documents_;
};

// The folder of a path ("." for a bare name) and its last part.
std::string folder_of(const std::string& path);
std::string name_of(const std::string& path);

}  // namespace scenario::tool::lsp
