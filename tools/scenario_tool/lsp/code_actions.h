// Quick fixes: a misspelt keyword that compile answers with "did you mean" is replaced by the
// keyword it names.
#pragma once

#include <optional>
#include <string>

#include "scenario_tool/lsp/framing.h"

namespace scenario::tool::lsp {

// The keyword a diagnostic's message suggests, when it suggests one.
std::optional<std::string> suggested_keyword(const std::string& message);

// CodeAction[] for the diagnostics of the request's context in the document `uri`.
Json quick_fixes(const std::string& uri, const Json& context_diagnostics);

}  // namespace scenario::tool::lsp
