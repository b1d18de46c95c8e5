#include "scenario_tool/lsp/params.h"

namespace scenario::tool::lsp {

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

}  // namespace scenario::tool::lsp
