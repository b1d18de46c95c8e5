// file: URIs and the paths they name. Other schemes (an unsaved buffer's "untitled:") name no file.
#pragma once

#include <optional>
#include <string>

namespace scenario::tool::lsp {

// The path of a file: URI, percent-escapes decoded; none for another scheme.
std::optional<std::string> path_of_uri(const std::string& uri);

// The file: URI of an absolute path, escaping what a URI cannot hold.
std::string uri_of_path(const std::string& path);

}  // namespace scenario::tool::lsp
