#include "scenario_tool/batch/summary.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>

#include "scenario_tool/exit_codes.h"

namespace scenario::tool {

namespace {

// The statuses a compile ends with, from the best to the worst, and the summary's word for each.
struct StatusLook {
  int status;
  int severity;
  const char* word;
};

constexpr std::array kStatusLooks{
    StatusLook{exit_code::clean, 0, "clean"},
    StatusLook{exit_code::recorded_code, 1, "failed"},
    StatusLook{exit_code::header_conflict, 2, "header conflict, nothing written"},
    StatusLook{exit_code::io_failure, 3, "file not read or written"},
    StatusLook{exit_code::usage, 4, "wrong usage"},
};

const StatusLook* look_of(int status) {
  const auto* found = std::find_if(kStatusLooks.begin(), kStatusLooks.end(),
                                   [status](const StatusLook& l) { return l.status == status; });
  return found == kStatusLooks.end() ? nullptr : found;
}

// Any other status counts as the worst.
int severity(int status) {
  const StatusLook* look = look_of(status);
  return look ? look->severity : 4;
}

std::string codes_text(const std::vector<int>& codes) {
  std::string text;
  for (int code : codes) text += (text.empty() ? "" : " ") + std::to_string(code);
  return text.empty() ? "-" : text;
}

std::string time_text(const std::optional<double>& seconds) {
  if (!seconds) return "-";
  std::array<char, 32> buf{};
  std::snprintf(buf.data(), buf.size(), "%.1f ms", *seconds * 1000.0);
  return buf.data();
}

// The columns a cell takes on a terminal: one per character, not per byte of its UTF-8 (folder
// names beyond ASCII would push the next columns out of line).
std::size_t columns(const std::string& text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

using Cells = std::array<std::string, 6>;

Cells cells_of(const BatchRow& row) {
  return {row.scenario,
          std::to_string(row.status) + " " + row.status_text,
          row.errors ? std::to_string(*row.errors) : "-",
          row.warnings ? std::to_string(*row.warnings) : "-",
          codes_text(row.codes),
          time_text(row.seconds)};
}

void write_line(const Cells& cells, const std::array<std::size_t, 6>& widths, std::ostream& out) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    line += cells[i];
    if (i + 1 < cells.size()) line += std::string(widths[i] - columns(cells[i]) + 2, ' ');
  }
  out << line << "\n";
}

}  // namespace

std::string status_word(int status) {
  const StatusLook* look = look_of(status);
  return look ? look->word : "status " + std::to_string(status);
}

int worse_status(int a, int b) { return severity(b) > severity(a) ? b : a; }

int worst_status(const std::vector<BatchRow>& rows) {
  int worst = exit_code::clean;
  for (const BatchRow& row : rows) worst = worse_status(worst, row.status);
  return worst;
}

void write_summary(const std::vector<BatchRow>& rows, std::ostream& out) {
  const Cells heading{"scenario", "status", "errors", "warnings", "codes", "time"};
  std::array<std::size_t, 6> widths{};
  std::vector<Cells> lines{heading};
  for (const BatchRow& row : rows) lines.push_back(cells_of(row));
  for (const Cells& cells : lines) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
      widths[i] = std::max(widths[i], columns(cells[i]));
    }
  }
  for (const Cells& cells : lines) write_line(cells, widths, out);
  std::map<int, int> by_status;
  for (const BatchRow& row : rows) ++by_status[row.status];
  out << rows.size() << " scenario(s)";
  for (const auto& [status, n] : by_status) out << ", " << n << " " << status_word(status);
  out << "; exit status " << worst_status(rows) << "\n";
}

}  // namespace scenario::tool
