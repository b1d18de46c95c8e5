// Text in the model is UTF-8; the table file and the competition codes see it in Windows-1252,
// the single-byte code page of the simulator's platform.
#pragma once

#include <string>
#include <string_view>

namespace scenario {

// One byte a character; a character the code page cannot represent becomes '?'.
std::string to_windows1252(std::string_view utf8);

// Every byte as the character it stands for; the five bytes the code page leaves undefined
// become U+FFFD.
std::string from_windows1252(std::string_view bytes);

bool is_valid_utf8(std::string_view bytes);

}  // namespace scenario
