// What the harnesses share: the check that stops a run when an invariant breaks, and the summary
// that the replay driver prints after the last input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace scenario::fuzz {

// Prints what broke, then aborts, so that the fuzzer keeps the input as a crash and the replay
// driver fails. Each message is worded once in the harnesses, so it tells where it broke.
[[noreturn]] void invariant_broken(std::string_view what, const std::string& detail = {});

inline void require(bool ok, std::string_view what, const std::string& detail = {}) {
  if (!ok) invariant_broken(what, detail);
}

// Defined by each harness: what its inputs came to so far, e.g. how many compiled cleanly.
std::string harness_summary();

}  // namespace scenario::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
