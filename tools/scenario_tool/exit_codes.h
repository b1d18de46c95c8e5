// The exit statuses of scenario_tool, shared by every verb.
#pragma once

namespace scenario::tool::exit_code {

inline constexpr int clean = 0;
inline constexpr int header_conflict = 1;
// `diff`: the two scenarios differ.
inline constexpr int differences = 1;
inline constexpr int recorded_code = 2;
inline constexpr int io_failure = 3;
inline constexpr int usage = 64;
inline constexpr int damaged_file = 65;

}  // namespace scenario::tool::exit_code
