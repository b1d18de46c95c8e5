// The content of `inspect`: everything the decoded files tell, built once as typed values over the
// decoded scenario. The JSON (whose schema the README describes), the text and the textconv lines
// are each written from it. A part whose file is absent or damaged is empty.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "scenario_tool/scenario/json.h"
#include "scenario_tool/scenario/scenario.h"
#include "scenario_tool/scenario/scenario_load.h"

namespace scenario::tool {

// 2: `curves` with --cells.
inline constexpr int report_version = 2;

// A stored value beside the one the compiler writes.
struct ValueCheck {
  std::int64_t value = 0;
  std::int64_t expected = 0;
};

// A stored competition code; the expected one is unknown without the table.
struct CodeCheck {
  std::int64_t stored = 0;
  std::optional<std::int64_t> expected;
};

struct Extent {
  double min = 0;
  double max = 0;
};

// The rows of the line file, those with both coordinates, and the range of each coordinate.
struct LineSummary {
  std::int64_t metres = 0;
  std::int64_t metres_filled = 0;
  std::array<std::optional<Extent>, 2> coordinates;
};

struct KindCount {
  std::uint8_t kind = 0;
  std::int64_t count = 0;
};

struct InspectReport {
  const LoadedScenario& loaded;  // the files and what became of them
  const Scenario& scenario;
  std::optional<ValueCheck> track_header;  // cell 1
  std::optional<ValueCheck> table_header;  // entry 85
  std::optional<CodeCheck> code_st;
  std::optional<CodeCheck> code_og;
  std::optional<LineSummary> line;
  std::vector<KindCount> cell_counts;  // the kinds present, in the order of their codes
  std::vector<std::string> warnings;
  bool cells = false;  // with the occupied cells, the stretches, the approach codes, the curves
};

InspectReport inspect_report(const LoadedScenario& loaded, const Scenario& scenario, bool cells);

// The values of a station's record as `inspect` names them, in the order it lists them.
std::array<std::pair<const char*, std::int64_t>, 10> record_columns(const SimRecord& r);

// A station as `inspect --json` gives it.
Json station_json(const Station& station);

// The report as `inspect --json` prints it.
Json report_json(const InspectReport& report);

// The JSON report of files loaded elsewhere (diff compares two, view embeds one).
Json build_report(const LoadedScenario& loaded, bool cells);

}  // namespace scenario::tool
