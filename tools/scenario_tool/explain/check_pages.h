// What each check that `compile --check` adds over the records means: the page that
// `scenario_tool explain ID` prints for it.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace scenario::tool {

struct CheckPage {
  std::string_view id;
  std::string_view severity;  // "warning" or "error"
  std::string_view summary;
  std::string_view explanation;
};

std::span<const CheckPage> all_check_pages();
const CheckPage* find_check_page(std::string_view id);
std::string check_page_text(const CheckPage& page);

}  // namespace scenario::tool
