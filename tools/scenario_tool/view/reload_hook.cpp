#include "scenario_tool/view/reload_hook.h"

namespace scenario::tool {

std::string stamp_script(std::int64_t stamp) {
  // Called only when the page defined it: a stamp loaded by anything else does nothing.
  return "window.scenarioWatchStamp && window.scenarioWatchStamp(" + std::to_string(stamp) + ");\n";
}

}  // namespace scenario::tool
