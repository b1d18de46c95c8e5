// Text from the files made safe for a terminal.
#pragma once

#include <string>

namespace scenario::tool {

// Control bytes as \xNN: a name in a file must not reach the terminal as a control sequence.
std::string printable(const std::string& s);

}  // namespace scenario::tool
