#include "written_text.h"

#include <gtest/gtest.h>

#include "format/file_names.h"

namespace scenario::testing {

std::optional<std::vector<std::string>> crlf_lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::string current;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r') {
      if (i + 1 >= bytes.size() || bytes[i + 1] != '\n') return std::nullopt;
      lines.push_back(current);
      current.clear();
      ++i;
    } else if (bytes[i] == '\n') {
      return std::nullopt;
    } else {
      current += bytes[i];
    }
  }
  if (!current.empty()) return std::nullopt;
  return lines;
}

std::vector<std::string> entries_before_marker(const LineList& list) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < list.size() && list[i] != end_marker; ++i) out.push_back(list[i]);
  return out;
}

WriterRun::WriterRun() : names_{"/run", "Valdora_Lusa", "24863"} {}

std::vector<std::string> WriterRun::files() const {
  std::vector<std::string> out;
  for (const std::string& path : fs_.paths()) out.push_back(path.substr(names_.folder.size() + 1));
  return out;
}

std::string WriterRun::write(Writer writer, PathOf path) {
  writer(names_, fs_);
  return read(path(names_));
}

WrittenText::WrittenText(Writer writer, PathOf path) {
  WriterRun run;
  const auto lines = crlf_lines(run.write(writer, path));
  if (!lines) {
    ADD_FAILURE() << "a line of " << path(run.names()) << " does not end with CR LF";
    return;
  }
  lines_ = *lines;
}

std::vector<int> WrittenText::empty_lines() const {
  std::vector<int> out;
  for (int n = 1; n <= count(); ++n) {
    if ((*this)(n).empty()) out.push_back(n);
  }
  return out;
}

std::vector<int> WrittenText::lines_with_trailing_spaces() const {
  std::vector<int> out;
  for (int n = 1; n <= count(); ++n) {
    if (trailing_spaces((*this)(n)) > 0) out.push_back(n);
  }
  return out;
}

std::size_t trailing_spaces(const std::string& line) {
  const auto last = line.find_last_not_of(' ');
  return last == std::string::npos ? line.size() : line.size() - 1 - last;
}

}  // namespace scenario::testing
