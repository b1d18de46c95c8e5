// The parts of a message's params the handlers read, each checked for its type: a wrong one is
// the client's error (InvalidParams), never the server's.
#pragma once

#include <stdexcept>
#include <string>

#include "scenario_tool/lsp/framing.h"

namespace scenario::tool::lsp {

struct BadParams : std::runtime_error {
  using std::runtime_error::runtime_error;
};

const Json& member(const Json& object, const char* name);
std::string string_member(const Json& object, const char* name);
int int_member(const Json& object, const char* name);
// params.textDocument.uri
std::string document_uri(const Json& params);

}  // namespace scenario::tool::lsp
