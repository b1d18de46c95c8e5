// The fixed-width pieces the driver's documents are built of: cells cut or padded to their width,
// centred text, the names as the documents letter them, kilometres and clock times.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace scenario::tool {

// `text` left-aligned in `width` characters: padded with spaces, or cut (never shifted).
std::string fit(std::string_view text, std::size_t width);

// `text` centred in `width`; an odd space left over goes to the left when `left_heavy`.
std::string centred(std::string_view text, std::size_t width, bool left_heavy = false);

// A name as the documents letter it: "S.CORSIGO" as "S.Corsigo", "LUSA C.le" as "Lusa C.le".
// The first letter of a word is capital, the rest small, and a letter after a point keeps its case.
std::string lettered(std::string_view name);

// Metres as kilometres with three decimals: "15.000".
std::string km_figure(std::int64_t metres);

// Seconds (past midnight wrapping round) as hours.minutes to the nearest minute: "19.05".
std::string clock_figure(std::int64_t seconds);

}  // namespace scenario::tool
