// The centre line of the line file as points: which metres hold both coordinates, their extent,
// and the thinning of a long polyline to what can be seen.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "format/model.h"
#include "scenario_tool/plot/svg.h"

namespace scenario::tool {

// The point of metre m as stored (coordinate 0, coordinate 1); empty when the metre lies outside
// the line, or either coordinate is empty or not a finite number.
std::optional<Point> line_point(const LineGeometry& line, std::int64_t m);

struct MetreRange {
  std::int64_t first = 0;
  std::int64_t last = 0;
};

// The runs of consecutive metres within [from, to] whose point exists.
std::vector<MetreRange> drawn_runs(const LineGeometry& line, std::int64_t from, std::int64_t to);

struct Box {
  Point min;
  Point max;
};

// The smallest box holding every point of the line; empty when no metre has one.
std::optional<Box> line_extent(const LineGeometry& line);
// Over the metres from..to only.
std::optional<Box> line_extent(const LineGeometry& line, std::int64_t from, std::int64_t to);

// The distance from p to the segment a-b (to its nearer end beyond either end).
double distance_to_segment(Point p, Point a, Point b);

// The points to keep so that no point left out lies farther than `tolerance` from the segment
// between the kept points around it (the first and the last are always kept).
std::vector<Point> simplify(const std::vector<Point>& points, double tolerance);

}  // namespace scenario::tool
