// What a page written by `watch` carries and `view`'s does not: it reads the stamp file beside it
// again every second and reloads when a later compile has written a greater stamp.
#pragma once

#include <cstdint>
#include <string>

namespace scenario::tool {

struct ReloadHook {
  std::string stamp_file;  // the stamp's name, beside the page (ROUTE_TRAIN.stamp.js)
  std::int64_t stamp = 0;  // the page's own: the stamp written with it
};

// The stamp file's text: a script that hands the stamp to the page that loads it.
std::string stamp_script(std::int64_t stamp);

}  // namespace scenario::tool
