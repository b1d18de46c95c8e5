// Views of a decoded track: cell counts by kind, the occupied cells, the stretches where a
// property of the line changes, and the approach codes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "format/model.h"
#include "scenario_tool/scenario/json.h"

namespace scenario::tool {

// Metres at which a cell begins: its index × 50.
std::int64_t cell_start_m(std::int64_t index);

// {"free": n, "signal": n, ...}, the kinds present, in the order of their codes.
Json cell_counts(const std::vector<TrackCell>& track);

// Every cell whose kind is not free, with its raw values and their meaning.
Json occupied_cells(const std::vector<TrackCell>& track, const SimTable* table);

// A property of the stretch that each cell carries in one byte, and what the byte means.
struct StretchProperty {
  const char* name;  // the key of `stretches`: "gradient", "speed_limit_kmh", ...
  std::uint8_t TrackCell::*field;
  std::optional<int> (*value)(std::uint8_t byte);  // none for a gradient never written
};

// A property's value as the JSON gives it: null when there is none.
inline Json value_json(std::optional<int> v) { return v ? Json(*v) : Json(); }

// The four properties, in the order of `stretches`.
const std::array<StretchProperty, 4>& stretch_properties();

// Runs of equal gradient, speed limit, adhesion and tunnel type.
Json stretches(const std::vector<TrackCell>& track);

// Every cell with a nonzero approach code.
Json approach_codes(const std::vector<TrackCell>& track);

}  // namespace scenario::tool
