// The version the programs report: the project's version, and the build's `git describe` when it
// was built from a repository.
#pragma once

#include <string>

namespace scenario {

// "1.0.0", or "1.0.0 (git 09a32df-dirty)" when the sources were a git checkout.
std::string version_text();

}  // namespace scenario
