// The summary table of a batch, and the status the batch exits with.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace scenario::tool {

struct BatchRow {
  std::string scenario;  // FOLDER/ROUTE_TRAIN, or the source that could not be paired
  int status = 0;
  std::string status_text;  // what the status means for this row
  std::optional<int> warnings;
  std::vector<int> codes;         // the error codes, each once
  std::optional<double> seconds;  // none when nothing was compiled
  std::optional<int> errors;      // none when nothing was compiled
};

// What a compile's exit status means, in a word or two.
std::string status_word(int status);

// The worst of the rows' statuses, worst first: wrong usage, a file that could not be read or
// written, a header conflict (nothing written), a recorded code (files written), clean.
int worst_status(const std::vector<BatchRow>& rows);
int worse_status(int a, int b);

// One line per row under a heading, in columns, then a line of totals.
void write_summary(const std::vector<BatchRow>& rows, std::ostream& out);

}  // namespace scenario::tool
