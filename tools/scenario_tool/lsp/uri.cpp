#include "scenario_tool/lsp/uri.h"

#include <cctype>

namespace scenario::tool::lsp {

namespace {

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool kept_as_is(unsigned char c) {
  return std::isalnum(c) != 0 || c == '/' || c == '-' || c == '_' || c == '.' || c == '~' ||
         c == ':';
}

}  // namespace

std::optional<std::string> path_of_uri(const std::string& uri) {
  constexpr std::string_view scheme = "file://";
  if (uri.size() < scheme.size() || uri.compare(0, scheme.size(), scheme) != 0) return {};
  std::string rest = uri.substr(scheme.size());
  // file://host/path: only the local host is ours.
  const auto slash = rest.find('/');
  if (slash == std::string::npos) return {};
  const std::string host = rest.substr(0, slash);
  if (!host.empty() && host != "localhost") return {};
  std::string path;
  for (std::size_t i = slash; i < rest.size(); ++i) {
    const bool escape = rest[i] == '%' && i + 2 < rest.size() && hex_value(rest[i + 1]) >= 0 &&
                        hex_value(rest[i + 2]) >= 0;
    if (escape) {
      path.push_back(static_cast<char>(hex_value(rest[i + 1]) * 16 + hex_value(rest[i + 2])));
      i += 2;
    } else {
      path.push_back(rest[i]);
    }
  }
  // file:///C:/x on Windows names C:/x.
  if (path.size() >= 3 && path[0] == '/' && std::isalpha(static_cast<unsigned char>(path[1])) &&
      path[2] == ':') {
    path.erase(0, 1);
  }
  return path;
}

std::string uri_of_path(const std::string& path) {
  static const char* digits = "0123456789ABCDEF";
  std::string uri = "file://";
  if (path.empty() || path[0] != '/') uri += '/';
  for (char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      uri += '/';
    } else if (kept_as_is(byte)) {
      uri += c;
    } else {
      uri += '%';
      uri += digits[byte >> 4];
      uri += digits[byte & 15];
    }
  }
  return uri;
}

}  // namespace scenario::tool::lsp
