// The notes in the built-in layout: the title, the heading, each remark broken after its commas,
// then the author's own remarks as they were given.
#include "scenario_tool/documents/documents.h"
#include "scenario_tool/documents/layout.h"

namespace scenario::tool {

namespace {

void add_remark(const std::string& remark, std::vector<std::string>& lines) {
  std::size_t from = 0;
  for (std::size_t comma = remark.find(", "); comma != std::string::npos;
       comma = remark.find(", ", from)) {
    lines.push_back(" " + remark.substr(from, comma + 1 - from));
    from = comma + 2;
  }
  lines.push_back(" " + remark.substr(from));
}

}  // namespace

std::vector<std::string> notes_lines(const Documents& d) {
  std::vector<std::string> lines{std::string(16, ' ') + "Treno " + d.train_number +
                                     " sul percorso " + lettered(d.first_station) + "  " +
                                     lettered(d.last_station),
                                 "", " Alcune precisazioni su questo percorso:"};
  for (const std::string& r : d.remarks) add_remark(r, lines);
  lines.insert(lines.end(), d.options.free_notes.begin(), d.options.free_notes.end());
  return lines;
}

}  // namespace scenario::tool
