#include "fuzz_check.h"

#include <cstdio>
#include <cstdlib>

namespace scenario::fuzz {

void invariant_broken(std::string_view what, const std::string& detail) {
  std::fprintf(stderr, "invariant broken: %.*s%s%s\n", static_cast<int>(what.size()), what.data(),
               detail.empty() ? "" : ": ", detail.c_str());
  std::fflush(stderr);
  std::abort();
}

}  // namespace scenario::fuzz
