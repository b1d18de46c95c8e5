// Every warning `compile` can give, by id, and the errors of records it drops: what each means,
// why it matters, and a record that draws it. `-W no-ID` silences one; `scenario_tool explain ID`
// tells the rest.
#pragma once

#include <span>
#include <string_view>

#include "compiler/observer.h"

namespace scenario::tool {

struct WarningInfo {
  std::string_view id;
  std::string_view summary;
  std::string_view explanation;
  // A line that draws the warning, and the source it stands in (none: the warning is about a
  // source as a whole, drawn by leaving out what `example` names; "general: " before the line:
  // it stands in the line source's general section).
  SourceKind example_source;
  std::string_view example;
  // The compile drops a record: told as an error, never silenced, and nothing is written.
  bool error = false;
};

std::span<const WarningInfo> all_warnings();
const WarningInfo* find_warning(std::string_view id);

}  // namespace scenario::tool
