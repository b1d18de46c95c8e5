// The page of `view`: one self-contained HTML file, its style, script and data inside it, so that
// it opens from disk with no network and no other file; tables of its data stand in a <noscript>
// element for a browser without JavaScript.
#pragma once

#include <optional>
#include <string>

#include "scenario_tool/scenario/json.h"
#include "scenario_tool/view/reload_hook.h"

namespace scenario::tool {

// The page showing `data` (view_data's document); with `reload`, the page of `watch`, which
// reloads itself after each compile.
std::string view_page(const Json& data, const std::optional<ReloadHook>& reload = std::nullopt);

// JSON text that can stand inside a <script> element: every "<" written as \u003c, which only
// strings can hold, so no "</script>" or "<!--" in a name can end or bend the element.
std::string script_safe_json(const Json& data);

}  // namespace scenario::tool
