#include "scenario_tool/lsp/framing.h"

#include <cctype>

namespace scenario::tool::lsp {

namespace {

// One header line without its line end; false at the input's end.
bool read_header_line(std::istream& in, std::string& line) {
  line.clear();
  char c = 0;
  while (in.get(c)) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
    // A header line is short: a runaway one is garbage, not a header.
    if (line.size() < 4096) line.push_back(c);
  }
  return false;
}

std::string lowered(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string trimmed(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// The length a Content-Length value gives, or the problem with it.
bool parse_length(const std::string& value, std::size_t& length, std::string& problem) {
  if (value.empty() || value.size() > 12 ||
      value.find_first_not_of("0123456789") != std::string::npos) {
    problem = "Content-Length \"" + value + "\" is not a number";
    return false;
  }
  length = std::stoull(value);
  if (length > kLargestBody) {
    problem = "Content-Length " + value + " is larger than a message may be";
    return false;
  }
  return true;
}

}  // namespace

Frame read_frame(std::istream& in) {
  std::string line;
  std::optional<std::size_t> length;
  std::string problem;
  bool any_line = false;
  while (true) {
    if (!read_header_line(in, line)) return Frame{};
    if (line.empty()) {
      if (!any_line) continue;  // blank lines between messages
      break;
    }
    any_line = true;
    const auto colon = line.find(':');
    if (colon == std::string::npos) {
      problem = "header line \"" + line.substr(0, 80) + "\" has no colon";
      continue;
    }
    if (lowered(trimmed(line.substr(0, colon))) != "content-length") continue;
    std::size_t n = 0;
    if (parse_length(trimmed(line.substr(colon + 1)), n, problem)) length = n;
  }
  if (!problem.empty() || !length) {
    return Frame{Frame::Kind::malformed, {}, problem.empty() ? "no Content-Length" : problem};
  }
  Frame frame{Frame::Kind::message, std::string(*length, '\0'), {}};
  in.read(frame.body.data(), static_cast<std::streamsize>(*length));
  if (static_cast<std::size_t>(in.gcount()) != *length) return Frame{};
  return frame;
}

std::string framed(const Json& message) {
  const std::string body = message.dump(-1, ' ', false, Json::error_handler_t::replace);
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

void write_frame(std::ostream& out, const Json& message) {
  out << framed(message);
  out.flush();
}

}  // namespace scenario::tool::lsp
