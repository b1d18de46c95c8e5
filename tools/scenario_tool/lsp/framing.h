// The base protocol: each message is a header of "Name: value" lines (Content-Length the one that
// matters), an empty line, then that many bytes of JSON.
#pragma once

#include <cstddef>
#include <istream>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

namespace scenario::tool::lsp {

using Json = nlohmann::json;

// The largest body taken: a source is at most a few tens of megabytes.
inline constexpr std::size_t kLargestBody = 256u << 20;

struct Frame {
  enum class Kind { message, malformed, end };
  Kind kind = Kind::end;
  std::string body;     // message: the bytes after the header
  std::string problem;  // malformed: what was wrong with the header
};

// The next frame. A header without a usable Content-Length is malformed and skipped up to its
// empty line, so that the next message is read; the input's end, even mid-message, is `end`.
Frame read_frame(std::istream& in);

// The message as one frame, its body the JSON with non-UTF-8 bytes replaced.
std::string framed(const Json& message);
void write_frame(std::ostream& out, const Json& message);

}  // namespace scenario::tool::lsp
