// Runs a text writer in a fresh folder and hands back what it wrote, line by line.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "format/file_names.h"
#include "platform/memory_file_system.h"
#include "sources/scrivi_righe.h"

namespace scenario::testing {

using Writer = void (*)(const ScenarioNames&, FileSystem&);
using PathOf = std::string (*)(const ScenarioNames&);

// The lines of bytes in which every line, the last included, ends with CR LF; nullopt when a line
// end is missing or a CR or LF stands alone.
std::optional<std::vector<std::string>> crlf_lines(const std::string& bytes);

// The entries of a list before its first end marker.
std::vector<std::string> entries_before_marker(const LineList& list);

// The built-in scenario's names, in the folder "/run" of a file system in memory.
class WriterRun {
 public:
  WriterRun();
  ScenarioNames& names() { return names_; }
  MemoryFileSystem& fs() { return fs_; }
  // The names of the files in the folder, sorted.
  std::vector<std::string> files() const;
  // The bytes of a file, empty when there is none.
  std::string read(const std::string& path) const { return fs_.contents(path).value_or(""); }
  // Runs the writer and returns the bytes of the file it names.
  std::string write(Writer writer, PathOf path);

 private:
  MemoryFileSystem fs_;
  ScenarioNames names_;
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

// A test of one built-in document: writes it afresh for each test and checks its line count
// first, so that the test may address its lines by number.
template <Writer writer, PathOf path, int lines>
class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(text.count(), lines); }

  const WrittenText text{writer, path};
};

// The number of spaces at the end of a line.
std::size_t trailing_spaces(const std::string& line);

}  // namespace scenario::testing
