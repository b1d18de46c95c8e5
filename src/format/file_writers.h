// The exact bytes of the three compiled files. Every field is encoded explicitly, little-endian,
// with no padding. Each writer puts its file into a sink in pieces of at most a chunk, so that a
// file on its way to the disk is never held whole in memory.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "format/model.h"
#include "platform/byte_sink.h"

namespace scenario {

// The largest piece a writer puts into its sink at once.
inline constexpr std::size_t file_chunk_size = 256 * 1024;

// Cells 0 to the last, 15 bytes each.
void write_track_file(const std::vector<TrackCell>& track, ByteSink& sink);
// The 87 entries, 34 bytes each plus the length of their name in Windows-1252.
void write_table_file(const SimTable& table, ByteSink& sink);
// Coordinate 0 of every metre, then coordinate 1, each value a tag and its payload.
void write_line_file(const LineGeometry& geometry, ByteSink& sink);

// The same bytes as one string.
std::string write_track_file(const std::vector<TrackCell>& track);
std::string write_table_file(const SimTable& table);
std::string write_line_file(const LineGeometry& geometry);

}  // namespace scenario
