// The exact bytes of the three compiled files. Every field is encoded explicitly, little-endian,
// with no padding.
#pragma once

#include <string>
#include <vector>

#include "format/model.h"

namespace scenario {

// Cells 0 to the last, 15 bytes each.
std::string write_track_file(const std::vector<TrackCell>& track);
// The 87 entries, 34 bytes each plus the length of their name in Windows-1252.
std::string write_table_file(const SimTable& table);
// Coordinate 0 of every metre, then coordinate 1, each value a tag and its payload.
std::string write_line_file(const LineGeometry& geometry);

}  // namespace scenario
