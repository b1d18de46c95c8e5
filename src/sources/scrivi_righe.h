// The writing procedure shared by the five text writers: a list of lines closed by an end marker,
// written one line each with CR LF.
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

namespace scenario {

class FileSystem;

// Ends the content of a line list; never written.
inline constexpr std::string_view end_marker = "riferimento fine del file";

// Room for 1001 entries, indices 0 to 1000, so a writer has at most 1000 lines and the marker.
class LineList {
 public:
  static constexpr std::size_t capacity = 1001;

  LineList() = default;
  LineList(std::initializer_list<std::string_view> lines);

  // Stores a line at the next index; throws std::length_error when the list is full.
  void add(std::string_view line);
  // Stores the end marker at the next index.
  void close() { add(end_marker); }

  std::size_t size() const { return size_; }
  const std::string& operator[](std::size_t i) const { return entries_.at(i); }

 private:
  std::array<std::string, capacity> entries_{};
  std::size_t size_ = 0;
};

// The lines followed by the end marker: the built-in content of a text file.
LineList closed_list(std::initializer_list<std::string_view> lines);

// The bytes of the file: every entry up to the first one exactly equal to the end marker, each
// followed by CR LF.
std::string render_lines(const LineList& lines);

// Replaces the file at `path` with the rendered lines.
void scrivi_righe(FileSystem& fs, const std::string& path, const LineList& lines);

}  // namespace scenario
