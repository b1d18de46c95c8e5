// What `explain documents` prints: the driver's papers, where each figure comes from.
#pragma once

#include <string>

namespace scenario::tool {

std::string documents_explanation();

}  // namespace scenario::tool
