// The program's arguments in UTF-8. On Windows the narrow `argv` is in the ANSI code page, which
// cannot hold every file name (a Greek or CJK letter under Windows-1252): the arguments are taken
// again from the wide command line. Elsewhere `argv` is passed through.
#pragma once

#include <string>
#include <vector>

namespace scenario {

class Utf8Arguments {
 public:
  Utf8Arguments(int argc, char** argv);

  int argc() const { return static_cast<int>(pointers_.size()); }
  // Valid as long as this object lives.
  char** argv() { return pointers_.data(); }

 private:
  std::vector<std::string> strings_;
  std::vector<char*> pointers_;
};

// On a Windows console, shows the UTF-8 the programs write as UTF-8, and puts the console's code
// page back when the program ends; nothing elsewhere.
void use_utf8_console();

}  // namespace scenario
