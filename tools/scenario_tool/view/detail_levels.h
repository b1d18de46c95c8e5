// Levels of detail for long polylines: the page of `view` draws, at each zoom, only the points
// that can move the drawn line by more than a pixel. A level is a tolerance; a point belongs to
// the coarsest level whose tolerance it exceeds, and a level draws its points and those of every
// coarser level, so the levels nest and each point is stored once.
#pragma once

#include <cstddef>
#include <vector>

#include "scenario_tool/plot/svg.h"

namespace scenario::tool {

// For every point, the largest tolerance at which the Douglas–Peucker simplification of the whole
// polyline keeps it: the distance of the point from the chord it split, or less when a split above
// it had a smaller one (the simplification never looks inside a chord it did not split). The ends
// are kept at any tolerance (infinity). Interior points of a chord whose farthest point lies
// within `floor` get 0: no tolerance of interest keeps them, and long straight runs stay linear.
std::vector<double> keep_tolerances(const std::vector<Point>& points, double floor);

// Tolerances of `finest` times a power of two, from the first at or above `coarsest` halving down
// to `finest`.
std::vector<double> halving_tolerances(double coarsest, double finest);

// The level of each point: the index of the first (coarsest) tolerance it is kept at, or -1 when
// even the finest drops it. `tolerances` run from coarse to fine.
std::vector<int> detail_levels(const std::vector<double>& keep,
                               const std::vector<double>& tolerances);

// A series against distance (x in metres along the track, y a value) drawn with a fixed vertical
// scale: for each level, the indices of the points to keep so that, where the page shows at most
// one pixel per `x_per_pixel[L]` metres and `y_per_pixel` units, no dropped point lies more than a
// pixel from the line drawn.
std::vector<std::vector<std::size_t>> series_levels(const std::vector<Point>& points,
                                                    const std::vector<double>& x_per_pixel,
                                                    double y_per_pixel);

}  // namespace scenario::tool
