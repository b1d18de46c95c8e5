#include "scenario_tool/plot/centre_line.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace scenario::tool {

double distance_to_segment(Point p, Point a, Point b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

namespace {

// The point between first and last farthest from their segment, and its distance.
std::pair<std::size_t, double> farthest(const std::vector<Point>& pts, std::size_t first,
                                        std::size_t last) {
  std::size_t at = first;
  double best = -1;
  for (std::size_t i = first + 1; i < last; ++i) {
    const double d = distance_to_segment(pts[i], pts[first], pts[last]);
    if (d > best) {
      best = d;
      at = i;
    }
  }
  return {at, best};
}

}  // namespace

std::optional<Point> line_point(const LineGeometry& line, std::int64_t m) {
  if (m < 0 || m > line.last_m()) return std::nullopt;
  const LineValue a = line.at(m, 0);
  const LineValue b = line.at(m, 1);
  if (a.empty() || b.empty() || !std::isfinite(a.number()) || !std::isfinite(b.number())) {
    return std::nullopt;
  }
  return Point{a.number(), b.number()};
}

std::vector<MetreRange> drawn_runs(const LineGeometry& line, std::int64_t from, std::int64_t to) {
  std::vector<MetreRange> runs;
  from = std::max<std::int64_t>(from, 0);
  to = std::min(to, line.last_m());
  for (std::int64_t m = from; m <= to; ++m) {
    if (!line_point(line, m)) continue;
    if (!runs.empty() && runs.back().last == m - 1) {
      runs.back().last = m;
    } else {
      runs.push_back(MetreRange{m, m});
    }
  }
  return runs;
}

std::optional<Box> line_extent(const LineGeometry& line) {
  return line_extent(line, 0, line.last_m());
}

std::optional<Box> line_extent(const LineGeometry& line, std::int64_t from, std::int64_t to) {
  std::optional<Box> box;
  for (std::int64_t m = std::max<std::int64_t>(from, 0); m <= std::min(to, line.last_m()); ++m) {
    const auto p = line_point(line, m);
    if (!p) continue;
    if (!box) box = Box{*p, *p};
    box->min = Point{std::min(box->min.x, p->x), std::min(box->min.y, p->y)};
    box->max = Point{std::max(box->max.x, p->x), std::max(box->max.y, p->y)};
  }
  return box;
}

std::vector<Point> simplify(const std::vector<Point>& points, double tolerance) {
  if (points.size() < 3) return points;
  std::vector<bool> keep(points.size(), false);
  keep.front() = keep.back() = true;
  // An explicit stack: a line of many thousand metres would recurse too deep.
  std::vector<std::pair<std::size_t, std::size_t>> todo{{0, points.size() - 1}};
  while (!todo.empty()) {
    const auto [first, last] = todo.back();
    todo.pop_back();
    if (last - first < 2) continue;
    const auto [at, d] = farthest(points, first, last);
    if (d <= tolerance) continue;
    keep[at] = true;
    todo.emplace_back(first, at);
    todo.emplace_back(at, last);
  }
  std::vector<Point> out;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (keep[i]) out.push_back(points[i]);
  }
  return out;
}

}  // namespace scenario::tool
