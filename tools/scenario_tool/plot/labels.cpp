#include "scenario_tool/plot/labels.h"

namespace scenario::tool {

namespace {

constexpr int kMaxShift = 6;  // lines of text each way

std::size_t code_points(std::string_view s) {
  std::size_t n = 0;
  for (char c : s) {
    if ((static_cast<unsigned char>(c) & 0xC0u) != 0x80u) ++n;
  }
  return n;
}

Box label_box(Point at, double width, double size, std::string_view anchor) {
  double left = at.x;
  if (anchor == "middle") left -= width / 2;
  if (anchor == "end") left -= width;
  return Box{Point{left - 2, at.y - size * 0.8}, Point{left + width + 2, at.y + size * 0.25}};
}

bool overlap(const Box& a, const Box& b) {
  return a.min.x < b.max.x && b.min.x < a.max.x && a.min.y < b.max.y && b.min.y < a.max.y;
}

bool inside(const Box& box, const Box& bounds) {
  return box.min.x >= bounds.min.x && box.max.x <= bounds.max.x && box.min.y >= bounds.min.y &&
         box.max.y <= bounds.max.y;
}

}  // namespace

double text_width(std::string_view utf8, double size, bool bold) {
  return static_cast<double>(code_points(utf8)) * size * (bold ? 0.7 : 0.62);
}

bool LabelPlacer::free(const Box& box) const {
  if (bounds_ && !inside(box, *bounds_)) return false;
  for (const Box& t : taken_) {
    if (overlap(box, t)) return false;
  }
  return true;
}

std::optional<Point> LabelPlacer::place(Point at, double width, double size,
                                        std::string_view anchor) {
  const double line = size * 1.15;
  for (int k = 0; k <= 2 * kMaxShift; ++k) {
    // 0, +1, -1, +2, -2, ... lines.
    const double shift = (k % 2 == 1 ? 1 : -1) * static_cast<double>((k + 1) / 2) * line;
    const Point p{at.x, at.y + shift};
    const Box box = label_box(p, width, size, anchor);
    if (free(box)) {
      taken_.push_back(box);
      return p;
    }
  }
  // Crowded all around: a label over another, or out of the frame, would be read as neither.
  ++left_out_;
  return std::nullopt;
}

}  // namespace scenario::tool
