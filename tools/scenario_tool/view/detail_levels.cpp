#include "scenario_tool/view/detail_levels.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "scenario_tool/plot/centre_line.h"

namespace scenario::tool {

std::vector<double> keep_tolerances(const std::vector<Point>& points, double floor) {
  const double always = std::numeric_limits<double>::infinity();
  std::vector<double> keep(points.size(), 0.0);
  if (points.empty()) return keep;
  keep.front() = keep.back() = always;
  // An explicit stack: a line of a thousand kilometres has a million points.
  std::vector<std::tuple<std::size_t, std::size_t, double>> todo{{0, points.size() - 1, always}};
  while (!todo.empty()) {
    const auto [first, last, bound] = todo.back();
    todo.pop_back();
    if (last - first < 2) continue;
    std::size_t at = first + 1;
    double farthest = -1;
    for (std::size_t i = first + 1; i < last; ++i) {
      const double d = distance_to_segment(points[i], points[first], points[last]);
      if (d > farthest) {
        farthest = d;
        at = i;
      }
    }
    if (farthest <= floor) continue;
    keep[at] = std::min(farthest, bound);
    todo.emplace_back(first, at, keep[at]);
    todo.emplace_back(at, last, keep[at]);
  }
  return keep;
}

std::vector<double> halving_tolerances(double coarsest, double finest) {
  std::vector<double> out;
  if (!(finest > 0)) return out;
  const int doublings =
      coarsest > finest ? static_cast<int>(std::ceil(std::log2(coarsest / finest))) : 0;
  for (int k = doublings; k >= 0; --k) out.push_back(std::ldexp(finest, k));
  return out;
}

std::vector<int> detail_levels(const std::vector<double>& keep,
                               const std::vector<double>& tolerances) {
  std::vector<int> levels(keep.size(), -1);
  for (std::size_t i = 0; i < keep.size(); ++i) {
    for (std::size_t l = 0; l < tolerances.size(); ++l) {
      if (keep[i] > tolerances[l]) {
        levels[i] = static_cast<int>(l);
        break;
      }
    }
  }
  return levels;
}

std::vector<std::vector<std::size_t>> series_levels(const std::vector<Point>& points,
                                                    const std::vector<double>& x_per_pixel,
                                                    double y_per_pixel) {
  std::vector<std::vector<std::size_t>> out;
  for (double xpp : x_per_pixel) {
    // In pixels of that level the tolerance is one.
    std::vector<Point> scaled;
    scaled.reserve(points.size());
    for (const Point& p : points) scaled.push_back(Point{p.x / xpp, p.y / y_per_pixel});
    const std::vector<double> keep = keep_tolerances(scaled, 1.0);
    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < keep.size(); ++i) {
      if (keep[i] > 1.0) kept.push_back(i);
    }
    out.push_back(std::move(kept));
  }
  return out;
}

}  // namespace scenario::tool
