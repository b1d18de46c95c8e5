// Runs a text writer in a fresh folder and hands back what it wrote, line by line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "compiler/compilation.h"
#include "sources/scrivi_righe.h"
#include "support/test_support.h"

namespace scenario::testing {

using Writer = void (*)(GeneratorState&);
using PathOf = std::string (*)(const GeneratorState&);

// The lines of bytes in which every line, the last included, ends with CR LF; nullopt when a line
// end is missing or a CR or LF stands alone.
std::optional<std::vector<std::string>> crlf_lines(const std::string& bytes);

// The entries of a list before its first end marker.
std::vector<std::string> entries_before_marker(const LineList& list);

// A state for the built-in scenario whose folder is a fresh temporary one on the real disk.
class WriterRun {
 public:
  WriterRun();
  GeneratorState& state() { return state_; }
  const TempDir& dir() const { return dir_; }
  // Runs the writer and returns the bytes of the file it names.
  std::string write(Writer writer, PathOf path);

 private:
  TempDir dir_;
  RealFileSystem fs_;
  GeneratorState state_;
};

// A written text file addressed by 1-based line numbers, as the documents count them.
class WrittenText {
 public:
  WrittenText(Writer writer, PathOf path);
  const std::string& operator()(int number) const { return lines_.at(number - 1); }
  int count() const { return static_cast<int>(lines_.size()); }
  const std::vector<std::string>& lines() const { return lines_; }
  // The numbers of the lines that are empty.
  std::vector<int> empty_lines() const;
  // The numbers of the lines that end in a space.
  std::vector<int> lines_with_trailing_spaces() const;

 private:
  std::vector<std::string> lines_;
};

// The number of spaces at the end of a line.
std::size_t trailing_spaces(const std::string& line);

}  // namespace scenario::testing
