// The page's template, style and script, kept as real files under view/page/ and embedded at
// build time (view/embed_assets.cmake).
#pragma once

#include <string_view>

namespace scenario::tool {

extern const std::string_view view_asset_html;
extern const std::string_view view_asset_css;
extern const std::string_view view_asset_js;
// The reload hook of the pages `watch` writes (reload_hook.h).
extern const std::string_view view_asset_reload;

}  // namespace scenario::tool
