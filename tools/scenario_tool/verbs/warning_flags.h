// The -W flags of compile, shared by a single compile and a batch (which checks them once, before
// it starts).
#pragma once

#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace scenario::tool {

// The ids that -W no-ID silences; false, with a message, for a flag that names no warning.
bool silenced_warnings(const std::vector<std::string>& flags, std::set<std::string>& silenced,
                       std::ostream& err);

}  // namespace scenario::tool
