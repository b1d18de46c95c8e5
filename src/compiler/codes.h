// Every error code of the system in one place, with a short meaning for diagnostics.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace scenario {

struct ErrorInfo {
  std::int32_t code;
  std::string_view raised_by;
  std::string_view meaning;
};

// All codes, each once.
std::span<const ErrorInfo> error_registry();

// The meaning of a code, or "unknown error code" for one that is not in the registry.
std::string_view error_meaning(std::int32_t code);

}  // namespace scenario
